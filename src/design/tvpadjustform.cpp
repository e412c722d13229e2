#include "design/tvpadjustform.h"

#include "design/adjustgeometry.h"
#include "design/tstretchhandle.h"
#include "platform/f1filter.h"
#include "runtime/backgroundview.h"
#include "runtime/pagetext.h"
#include "shell/colorref.h"

#include <QFrame>
#include <QTextEdit>
#include <QVBoxLayout>

namespace design {

TVPAdjustForm::TVPAdjustForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                             const QString& directory, QWidget* parent)
    : AdjusterForm(QStringLiteral("Press Mouse right button for Menu"), QStringLiteral("Help"), parent),
      m_record(record), m_pageText(pageText)
{
    setObjectName(QStringLiteral("TVPAdjustForm"));
    platform::SetHelpContext(this, kAdjusterHelp);
    // The text window is shown at its own place, never over the whole screen.
    m_record.FullScreen = false;
    createControls();
    CentreOnScreen(this, QSize(kScreenWidth, kScreenHeight));

    const QColor textColor = shell::ColorRefToQColor(m_record.TextWindowColor);
    for (QWidget* widget : {static_cast<QWidget*>(TextPnl), static_cast<QWidget*>(RichEdit1)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, textColor);
        pal.setColor(QPalette::Base, textColor);
        widget->setPalette(pal);
        widget->setAutoFillBackground(true);
    }
    // Kind 1 paints the colour; a missing file falls back to it; a ".JPG" wallpaper is reported
    // and leaves the screen's own face colour.
    runtime::ShowBackground(ScreenPnl, runtime::BackgroundOf(m_record), directory,
                            runtime::ColourRule::ColourByKind);
    watch(this);
}

void TVPAdjustForm::createControls()
{
    ScreenPnl = new runtime::BackgroundView(this);
    ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScreenPnl);

    TextPnl = new QFrame(ScreenPnl);
    TextPnl->setObjectName(QStringLiteral("TextPnl"));
    TextPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TextPnl->setLineWidth(2);
    TextPnl->setToolTip(QStringLiteral("Mouse Right Button for Menu"));
    TextPnl->hide();
    RichEdit1 = new QTextEdit(TextPnl);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameStyle(QFrame::NoFrame);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->document()->setDocumentMargin(5);
    auto* textLayout = new QVBoxLayout(TextPnl);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(RichEdit1);
}

void TVPAdjustForm::showEvent(QShowEvent* event)
{
    AdjusterForm::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TVPAdjustForm::FormActivate()
{
    TextPnl->setGeometry(
        SafeRect(m_record.TextLeft, m_record.TextTop, m_record.TextWidth, m_record.TextHeight));
    runtime::LoadPageText(RichEdit1, m_pageText);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextPnl->show();
}

bool TVPAdjustForm::partPressed(QWidget* widget, Qt::MouseButton)
{
    if (widget == TextPnl || TextPnl->isAncestorOf(widget)) {
        attachOnly(TextPnl);
        return true;
    }
    return false;
}

void TVPAdjustForm::saveLayout()
{
    StoreDesignedPageLayout(m_record, TextPnl->geometry());
}

bool AdjustDesignedPageWindow(storage::TopicDisplayRecord& record, const QStringList& pageText,
                              const QString& directory, QWidget* parent)
{
    TVPAdjustForm form(record, pageText, directory, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    record = form.record();
    return true;
}

} // namespace design
