#include "runtime/pagetext.h"

#include "platform/rtf/rtfwriter.h"

#include <QFrame>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

void LoadPageText(QTextEdit* edit, const QStringList& lines)
{
    // Stored page lines are an RTF stream; text that is not RTF shows as it stands.
    platform::rtf::LoadRtfLines(lines, edit->document());
    edit->moveCursor(QTextCursor::Start);
    edit->verticalScrollBar()->setValue(0);
}

PageTextWindow MakePageTextWindow(QWidget* parent, const QString& panelName)
{
    PageTextWindow window;
    window.panel = new QFrame(parent);
    window.panel->setObjectName(panelName);
    window.panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    window.panel->setLineWidth(2);

    window.edit = new QTextEdit(window.panel);
    window.edit->setObjectName(QStringLiteral("RichEdit1"));
    window.edit->setReadOnly(true);
    window.edit->setFrameStyle(QFrame::NoFrame);
    window.edit->document()->setDocumentMargin(5);

    auto* layout = new QVBoxLayout(window.panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(window.edit);
    return window;
}

void SetTextWindowColor(const PageTextWindow& window, const QColor& color)
{
    for (QWidget* widget : {static_cast<QWidget*>(window.panel), static_cast<QWidget*>(window.edit)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, color);
        pal.setColor(QPalette::Base, color);
        widget->setPalette(pal);
        widget->setAutoFillBackground(true);
    }
}

} // namespace runtime
