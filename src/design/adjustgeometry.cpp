#include "design/adjustgeometry.h"

#include "runtime/pagegeometry.h"
#include "shell/utilities.h"

#include <algorithm>
#include <limits>

namespace design {

namespace {

int Position(qint32 value)
{
    return std::clamp<qint32>(value, -runtime::kMaxPageExtent, runtime::kMaxPageExtent);
}

int Extent(qint32 value)
{
    return std::clamp<qint32>(value, 0, runtime::kMaxPageExtent);
}

qint16 Short(int value)
{
    return static_cast<qint16>(
        std::clamp<int>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

} // namespace

QRect SafeRect(qint32 left, qint32 top, qint32 width, qint32 height)
{
    return QRect(Position(left), Position(top), Extent(width), Extent(height));
}

int CentredLeft(int panelWidth, int childWidth)
{
    return panelWidth / 2 - childWidth / 2;
}

int BarHeight(const QString& fontText)
{
    const shell::FontSpec font = shell::TextToFont(fontText);
    // In 64 bits: a stored size near the integer limit must not overflow on doubling.
    return int(std::clamp<qint64>(2 * qint64(font.size), 0, runtime::kDesignSize.height()));
}

void StoreMenuLayout(storage::MenuScreenDesign& menu, const QRect& listWindow, const QRect& authorBox)
{
    menu.Window.TextLeft = listWindow.x();
    menu.Window.TextTop = listWindow.y();
    menu.Window.TextWidth = listWindow.width();
    menu.Window.TextHeight = listWindow.height();
    menu.Window.RLTop = 1;
    menu.Window.RLLeft = 1;
    if (menu.UseAuthorBox) {
        menu.Author.Top = Short(authorBox.y());
        menu.Author.Left = Short(authorBox.x());
        menu.Author.Height = Short(authorBox.height());
        menu.Author.Width = Short(authorBox.width());
        menu.Author.Carried1 = 1;
        menu.Author.Carried2 = 1;
    }
}

QRect TextMockupRect(QPoint designOrigin, const storage::TopicDisplayRecord& record)
{
    const QRect text = SafeRect(record.TextLeft, record.TextTop, record.TextWidth, record.TextHeight);
    return QRect(designOrigin.x() + text.x(), designOrigin.y() + text.y(), text.width(),
                 text.height() + kMockupExtraHeight);
}

void StoreTextMockup(storage::TopicDisplayRecord& record, QPoint designOrigin, const QRect& mockup)
{
    record.TextLeft = mockup.x() - designOrigin.x();
    record.TextTop = mockup.y() - designOrigin.y();
    record.TextWidth = mockup.width();
    record.TextHeight = std::max(0, mockup.height() - kMockupExtraHeight);
}

QSize TextAdjusterSize(QPoint designOrigin, QSize screen)
{
    const int maxWidth =
        std::max(runtime::kDesignSize.width(), std::min(screen.width(), runtime::kMaxPageExtent));
    const int maxHeight =
        std::max(runtime::kDesignSize.height(), std::min(screen.height(), runtime::kMaxPageExtent));
    const int width =
        runtime::kDesignSize.width() + 2 * std::clamp(designOrigin.x(), 0, runtime::kMaxPageExtent);
    const int height =
        runtime::kDesignSize.height() + 2 * std::clamp(designOrigin.y(), 0, runtime::kMaxPageExtent);
    return QSize(std::min(width, maxWidth), std::min(height, maxHeight));
}

void StoreDesignedPageLayout(storage::TopicDisplayRecord& record, const QRect& textWindow)
{
    record.TextLeft = textWindow.x();
    record.TextTop = textWindow.y();
    record.TextWidth = textWindow.width();
    record.TextHeight = textWindow.height();
    record.FullScreen = false;
}

} // namespace design
