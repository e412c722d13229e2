#include "runtime/tintdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/taboutbox.h"
#include "runtime/textbar.h"
#include "shell/appstate.h"
#include "shell/colorref.h"
#include "shell/filenames.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

namespace runtime {

namespace {

// The text of an introduction stands further off its frame than a page's.
constexpr int kTextBorder = 10;

} // namespace

TIntDispForm::TIntDispForm(const storage::PresentationBlock& presentation,
                           const storage::ProgramSettings& program, const QStringList& text,
                           const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_presentation(presentation),
      m_program(program), m_window(presentation.IntroScreen.Window), m_text(text),
      m_directory(state.WorkingDirectory)
{
    setObjectName(QStringLiteral("TIntDispForm"));
    createActions();
    createControls();
    createLayout();
    fill();
}

void TIntDispForm::createActions()
{
    MQuit = new QAction(QStringLiteral("&Close"), this);
    MQuit->setObjectName(QStringLiteral("MQuit"));
    connect(MQuit, &QAction::triggered, this, &QDialog::reject);
    MHelp = new QAction(QStringLiteral("&Help"), this);
    MHelp->setObjectName(QStringLiteral("MHelp"));
    connect(MHelp, &QAction::triggered, this,
            [this] { platform::help().showHelp(m_program.HelpStartTopic); });
    MAbout = new QAction(QStringLiteral("&About"), this);
    MAbout->setObjectName(QStringLiteral("MAbout"));
    connect(MAbout, &QAction::triggered, this,
            [this] { ShowAboutBox(m_presentation.AboutBox, AboutMode::Designed, m_directory, this); });
    for (QAction* action : {MQuit, MHelp, MAbout})
        action->setVisible(false);
}

void TIntDispForm::createControls()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->addActions({MQuit, MHelp, MAbout});
    MainMenu1->hide();

    TitlePnl = new QLabel(this);
    TitlePnl->setObjectName(QStringLiteral("TitlePnl"));
    TitlePnl->hide();
    StatusPnl = new QLabel(this);
    StatusPnl->setObjectName(QStringLiteral("StatusPnl"));
    StatusPnl->hide();

    ScreenPnl = new BackgroundView(this);
    ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));
    connect(ScreenPnl, &BackgroundView::backgroundPressed, this, &QDialog::reject);

    TextPnl = new QFrame(ScreenPnl);
    TextPnl->setObjectName(QStringLiteral("TextPnl"));
    TextPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TextPnl->setLineWidth(2);
    TextPnl->setAutoFillBackground(true);
    TextPnl->hide();

    RichEdit1 = new QTextEdit(TextPnl);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameStyle(QFrame::NoFrame);
    RichEdit1->document()->setDocumentMargin(kTextBorder);
}

void TIntDispForm::createLayout()
{
    auto* textLayout = new QVBoxLayout(TextPnl);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(RichEdit1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(TitlePnl);
    layout->addWidget(ScreenPnl, 1);
    layout->addWidget(StatusPnl);
    setFixedSize(kDesignSize);
}

void TIntDispForm::fill()
{
    const storage::ScreenDesign& screen = m_presentation.IntroScreen;
    const storage::ViewerCaptions& captions = m_presentation.Captions;
    setWindowTitle(m_program.Title);
    ShowTextBar(TitlePnl, screen.TitleBar);
    ShowTextBar(StatusPnl, screen.StatusBar);

    if (screen.UseMenuBar) {
        MQuit->setText(CaptionOr(captions.CloseCaption, QStringLiteral("&Close")));
        MQuit->setVisible(true);
        MAbout->setText(CaptionOr(captions.AboutCaption, QStringLiteral("&About")));
        MAbout->setVisible(m_presentation.UseAboutBox);
        MHelp->setText(CaptionOr(captions.HelpCaption, QStringLiteral("&Help")));
        MHelp->setVisible(m_program.UseHelpFile);
        if (m_program.UseHelpFile)
            platform::help().setHelpFile(shell::ResolveName(m_directory, m_program.HelpFile));
    }
    MainMenu1->setVisible(screen.UseMenuBar);

    if (QLayout* own = layout())
        own->activate();
    ShowBackground(ScreenPnl, BackgroundOf(m_window), m_directory, ColourRule::ColourByKind);

    const QColor textColor = shell::ColorRefToQColor(m_window.TextWindowColor);
    for (QWidget* widget : {static_cast<QWidget*>(TextPnl), static_cast<QWidget*>(RichEdit1)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, textColor);
        pal.setColor(QPalette::Base, textColor);
        widget->setPalette(pal);
    }
}

void TIntDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            QRect place = frameGeometry();
            place.moveCenter(screen->availableGeometry().center());
            move(place.topLeft());
        }
    }
    FormActivate();
}

void TIntDispForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TIntDispForm::FormActivate()
{
    TextPnl->hide();
    TextPnl->setGeometry(DesignedTextRect(m_window, ScreenPnl->size()));
    LoadPageText(RichEdit1, m_text);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextPnl->show();
}

void ShowIntroduction(const storage::PresentationBlock& presentation, const storage::ProgramSettings& program,
                      const QStringList& text, const shell::AppState& state, QWidget* parent)
{
    TIntDispForm form(presentation, program, text, state, parent);
    form.exec();
}

} // namespace runtime
