#include "runtime/menulayout.h"

#include "runtime/pagegeometry.h"
#include "shell/utilities.h"

#include <algorithm>

namespace runtime {

int AuthorLineCount(const storage::AuthorBox& box)
{
    for (int line = int(box.Lines.size()); line > 0; --line) {
        if (!box.Lines[size_t(line - 1)].isEmpty())
            return line;
    }
    return 0;
}

QRect AuthorPanelRect(const storage::AuthorBox& box)
{
    return ClampedRect(box.Left, box.Top, box.Width, box.Height);
}

QRect MenuPanelRect(const storage::WindowDesign& window)
{
    return StoredTextRect(window);
}

int CommandPanelLeft(int panelWidth, int commandWidth)
{
    return panelWidth / 2 - commandWidth / 2;
}

int TextBarHeight(const QString& fontText)
{
    int size = shell::TextToFont(fontText).size;
    if (size <= 0)
        size = shell::FontSpec().size;
    // Compared before doubling, so a stored size near the top of the integer range cannot wrap.
    return size > kDesignSize.height() / 2 ? kDesignSize.height() : 2 * size;
}

int WholeRowsHeight(int available, int rowHeight, int frame)
{
    if (rowHeight <= 0)
        return std::max(available, 2 * frame);
    const int rows = std::max(1, (available - 2 * frame) / rowHeight);
    return 2 * frame + rows * rowHeight;
}

QString CaptionOr(const QString& caption, const QString& fallback)
{
    return caption.isEmpty() ? fallback : caption;
}

} // namespace runtime
