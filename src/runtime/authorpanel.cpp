#include "runtime/authorpanel.h"

#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "shell/colorref.h"
#include "shell/utilities.h"

#include <QLabel>
#include <algorithm>

namespace runtime {

AuthorPanel::AuthorPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("AuthorPnl"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    hide();
    for (int i = 0; i < int(m_labels.size()); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setProperty("tag", i + 1);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_labels[size_t(i)] = label;
    }
}

void AuthorPanel::showBox(const storage::AuthorBox& box, double scale)
{
    m_scale = scale;
    shell::FontSpec face = shell::TextToFont(box.Font);
    // A size no screen could show is a damaged record; the default size stands in for it.
    if (face.size <= 0 || face.size > kDesignSize.height())
        face.size = shell::FontSpec().size;
    QFont font = face.toFont();
    font.setPointSizeF(face.size * scale);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::ColorRefToQColor(box.Color));
    pal.setColor(QPalette::WindowText, face.qcolor());
    setPalette(pal);
    const int lines = AuthorLineCount(box);
    for (int i = 0; i < int(m_labels.size()); ++i) {
        m_labels[size_t(i)]->setText(box.Lines[size_t(i)]);
        m_labels[size_t(i)]->setVisible(i < lines);
    }
    setGeometry(ScaledRect(AuthorPanelRect(box), scale));
    layoutRows();
    show();
}

void AuthorPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    layoutRows();
}

void AuthorPanel::layoutRows()
{
    // Rows are 16 pixels high, stacked from the top; a font taller than that gets rows of its own
    // height rather than lines cut in half.
    const int frame = frameWidth();
    const int rowHeight = std::max(Scaled(kAuthorRowHeight, m_scale), fontMetrics().height());
    const int inset = frame + Scaled(3, m_scale);
    for (int i = 0; i < int(m_labels.size()); ++i)
        m_labels[size_t(i)]->setGeometry(inset, frame + i * rowHeight, std::max(0, width() - 2 * inset), rowHeight);
}

} // namespace runtime
