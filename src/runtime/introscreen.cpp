#include "runtime/introscreen.h"

#include "runtime/backgroundview.h"
#include "runtime/designscale.h"
#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/textbar.h"
#include "shell/colorref.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

namespace {

// The text of an introduction stands further off its frame than a page's.
constexpr int kTextBorder = 10;

QAction* HiddenAction(const QString& caption, const char* name, QWidget* owner)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    action->setVisible(false);
    return action;
}

} // namespace

IntroScreenParts BuildIntroScreen(QWidget* window)
{
    IntroScreenParts parts;
    parts.MQuit = HiddenAction(QStringLiteral("&Close"), "MQuit", window);
    parts.MHelp = HiddenAction(QStringLiteral("&Help"), "MHelp", window);
    parts.MAbout = HiddenAction(QStringLiteral("&About"), "MAbout", window);

    parts.MainMenu1 = new QMenuBar(window);
    parts.MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    parts.MainMenu1->addActions({parts.MQuit, parts.MHelp, parts.MAbout});
    parts.MainMenu1->hide();

    parts.TitlePnl = new QLabel(window);
    parts.TitlePnl->setObjectName(QStringLiteral("TitlePnl"));
    parts.TitlePnl->hide();
    parts.StatusPnl = new QLabel(window);
    parts.StatusPnl->setObjectName(QStringLiteral("StatusPnl"));
    parts.StatusPnl->hide();

    parts.ScreenPnl = new BackgroundView(window);
    parts.ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));

    parts.TextPnl = new QFrame(parts.ScreenPnl);
    parts.TextPnl->setObjectName(QStringLiteral("TextPnl"));
    parts.TextPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    parts.TextPnl->setLineWidth(2);
    parts.TextPnl->setAutoFillBackground(true);
    parts.TextPnl->hide();

    parts.RichEdit1 = new QTextEdit(parts.TextPnl);
    parts.RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    parts.RichEdit1->setAccessibleName(QStringLiteral("Introduction text"));
    parts.RichEdit1->setReadOnly(true);
    parts.RichEdit1->setFrameStyle(QFrame::NoFrame);
    parts.RichEdit1->document()->setDocumentMargin(kTextBorder);

    auto* textLayout = new QVBoxLayout(parts.TextPnl);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(parts.RichEdit1);

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(parts.MainMenu1);
    layout->addWidget(parts.TitlePnl);
    layout->addWidget(parts.ScreenPnl, 1);
    layout->addWidget(parts.StatusPnl);
    window->setFixedSize(kDesignSize);
    return parts;
}

void ScaleIntroScreen(IntroScreenParts& parts, QWidget* window, double scale)
{
    parts.scale = scale;
    ScaleWindowFont(window, scale);
    FrameForScale(window, scale);
    parts.RichEdit1->document()->setDocumentMargin(Scaled(kTextBorder, scale));
    const int bevel = Scaled(2, scale);
    parts.TextPnl->setLineWidth(bevel);
    parts.TextPnl->layout()->setContentsMargins(bevel, bevel, bevel, bevel);
    window->setFixedSize(ScaledSize(kDesignSize, scale));
}

void FillIntroScreen(const IntroScreenParts& parts, const storage::PresentationBlock& presentation,
                     const storage::ProgramSettings& program, const storage::WindowDesign& design,
                     const QString& directory)
{
    const storage::ScreenDesign& screen = presentation.IntroScreen;
    const storage::ViewerCaptions& captions = presentation.Captions;
    ShowTextBar(parts.TitlePnl, screen.TitleBar, parts.scale);
    ShowTextBar(parts.StatusPnl, screen.StatusBar, parts.scale);

    parts.MQuit->setVisible(false);
    parts.MHelp->setVisible(false);
    parts.MAbout->setVisible(false);
    if (screen.UseMenuBar) {
        parts.MQuit->setText(CaptionOr(captions.CloseCaption, QStringLiteral("&Close")));
        parts.MQuit->setVisible(true);
        parts.MAbout->setText(CaptionOr(captions.AboutCaption, QStringLiteral("&About")));
        parts.MAbout->setVisible(presentation.UseAboutBox);
        parts.MHelp->setText(CaptionOr(captions.HelpCaption, QStringLiteral("&Help")));
        parts.MHelp->setVisible(program.UseHelpFile);
    }
    parts.MainMenu1->setVisible(screen.UseMenuBar);

    // The bars take their room first, so a stretched picture is scaled for the screen that is left.
    if (QWidget* window = parts.ScreenPnl->parentWidget(); window && window->layout())
        window->layout()->activate();
    ShowBackground(parts.ScreenPnl, BackgroundOf(design), directory, ColourRule::ColourByKind);

    const QColor textColor = shell::ColorRefToQColor(design.TextWindowColor);
    for (QWidget* widget : {static_cast<QWidget*>(parts.TextPnl), static_cast<QWidget*>(parts.RichEdit1)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, textColor);
        pal.setColor(QPalette::Base, textColor);
        widget->setPalette(pal);
    }
}

void PlaceIntroText(const IntroScreenParts& parts, const storage::WindowDesign& design,
                    const QStringList& text)
{
    parts.TextPnl->hide();
    parts.TextPnl->setGeometry(design.FullScreen ? QRect(QPoint(), parts.ScreenPnl->size())
                                                 : ScaledRect(StoredTextRect(design), parts.scale));
    LoadPageText(parts.RichEdit1, text);
    if (parts.scale != 1.0)
        ScaleTextSize(parts.RichEdit1->document(), parts.scale);
    parts.RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    parts.TextPnl->show();
}

} // namespace runtime
