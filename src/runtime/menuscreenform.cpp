#include "runtime/menuscreenform.h"

#include "platform/helpengine.h"
#include "runtime/authorpanel.h"
#include "runtime/backgroundview.h"
#include "runtime/designscale.h"
#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "runtime/taboutbox.h"
#include "runtime/textbar.h"
#include "shell/colorref.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace runtime {

namespace {

constexpr int kButtonWidth = 66;
constexpr int kButtonHeight = 27;
constexpr int kButtonGap = 5;

} // namespace

MenuScreenForm::MenuScreenForm(const storage::MenuScreenDesign& menu,
                               const storage::PresentationBlock& presentation,
                               const storage::ProgramSettings& program, const QString& directory,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_menu(menu),
      m_presentation(presentation), m_program(program), m_directory(directory)
{
    createActions();
    createControls();
}

void MenuScreenForm::createActions()
{
    MQuit = new QAction(QStringLiteral("&Quit"), this);
    MQuit->setObjectName(QStringLiteral("MQuit"));
    connect(MQuit, &QAction::triggered, this, &QDialog::reject);
    MAbout = new QAction(QStringLiteral("&About"), this);
    MAbout->setObjectName(QStringLiteral("MAbout"));
    MAbout->setVisible(false);
    connect(MAbout, &QAction::triggered, this, &MenuScreenForm::showAbout);
    MHelp = new QAction(QStringLiteral("&Help"), this);
    MHelp->setObjectName(QStringLiteral("MHelp"));
    MHelp->setVisible(false);
    connect(MHelp, &QAction::triggered, this, &MenuScreenForm::showHelp);
}

void MenuScreenForm::createControls()
{
    const ScreenBars bars = MakeScreenBars(this, {MQuit, MAbout, MHelp});
    MainMenu1 = bars.menu;
    TitlePnl = bars.title;
    StatusPnl = bars.status;

    MainPnl = new BackgroundView(this);
    MainPnl->setObjectName(QStringLiteral("MainPnl"));

    AuthorPnl = new AuthorPanel(MainPnl);

    Panel1 = new QFrame(MainPnl);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    // The menu panel keeps the face of a dialog whatever colour the screen behind it takes.
    QPalette face = Panel1->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    Panel1->setPalette(face);
    Panel1->hide();
    Panel1->installEventFilter(this);

    TopStrip = new QWidget(Panel1);
    TopStrip->setObjectName(QStringLiteral("TopStrip"));

    CommandPnl = new QFrame(Panel1);
    CommandPnl->setObjectName(QStringLiteral("CommandPnl"));
    FindtBtn = new QPushButton(QStringLiteral("&Find"), CommandPnl);
    FindtBtn->setObjectName(QStringLiteral("FindtBtn"));
    OKBitBtn = new QPushButton(QStringLiteral("&OK"), CommandPnl);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    CancelBitBtn = new QPushButton(QStringLiteral("&Close"), CommandPnl);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    m_commandButtons = {FindtBtn, OKBitBtn, CancelBitBtn};
    placeCommandButtons();
}

void MenuScreenForm::addCommandButton(QPushButton* button)
{
    button->setParent(CommandPnl);
    m_commandButtons.insert(1, button);
    placeCommandButtons();
}

void MenuScreenForm::placeCommandButtons()
{
    // The panel keeps its designed width, so the menu panel's design still holds it; an added
    // button narrows them all.
    const int count = int(m_commandButtons.size());
    const int margin = (kCommandPanelWidth - 3 * kButtonWidth - 2 * kButtonGap) / 2;
    const int gap = count > 3 ? kButtonGap - 1 : kButtonGap;
    const int width = (kCommandPanelWidth - 2 * margin - (count - 1) * gap) / count;
    int left = margin;
    for (QPushButton* button : m_commandButtons) {
        button->setAutoDefault(false);
        button->setGeometry(
            ScaledRect(QRect(left, (kBottomStripHeight - kButtonHeight) / 2, width, kButtonHeight), m_scale));
        left += width + gap;
    }
    CommandPnl->resize(ScaledSize(QSize(kCommandPanelWidth, kBottomStripHeight), m_scale));
}

void MenuScreenForm::setDesignScale(double scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    ScaleWindowFont(this, m_scale);
    FrameForScale(this, m_scale);
    placeCommandButtons();
}

void MenuScreenForm::rescale(double scale)
{
    const bool shown = isVisible();
    setDesignScale(scale);
    setFixedSize(ScaledSize(kDesignSize, m_scale));
    fillScreen();
    if (m_placed)
        placePanels();
    if (shown) {
        show();
        CentreOnScreen(this);
    }
}

void MenuScreenForm::buildScreen(QWidget* content)
{
    m_content = content;
    m_content->setParent(Panel1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(TitlePnl);
    layout->addWidget(MainPnl, 1);
    layout->addWidget(StatusPnl);
    setFixedSize(ScaledSize(kDesignSize, m_scale));
}

void MenuScreenForm::fillScreen()
{
    // The menu bar and the bars take their height from the screen area below them.
    setWindowTitle(m_program.Title);
    MainMenu1->setVisible(m_menu.UseMenuBar);
    if (m_program.UseHelpFile) {
        MHelp->setVisible(true);
        platform::help().setHelpFile(shell::ResolveName(m_directory, m_program.HelpFile));
        MHelp->setText(CaptionOr(m_presentation.Captions.HelpCaption, QStringLiteral("&Help")));
    }
    MAbout->setText(CaptionOr(m_presentation.Captions.AboutCaption, QStringLiteral("&About")));
    MQuit->setText(CaptionOr(m_presentation.Captions.QuitCaption, QStringLiteral("&Quit")));
    MAbout->setVisible(m_presentation.UseAboutBox);
    ShowTextBar(TitlePnl, m_menu.TitleBar, m_scale);
    ShowTextBar(StatusPnl, m_menu.StatusBar, m_scale);

    // The screen area has its final size once the bars are in, so a stretched picture is decoded
    // for the size it is shown at.
    if (QLayout* own = layout())
        own->activate();
    ShowBackground(MainPnl, BackgroundOf(m_menu.Window), m_directory, ColourRule::ColourFirst);
}

void MenuScreenForm::placeAuthorPanel()
{
    if (m_menu.UseAuthorBox)
        AuthorPnl->showBox(m_menu.Author, m_scale);
    else
        AuthorPnl->hide();
}

void MenuScreenForm::placePanels()
{
    placeAuthorPanel();
    Panel1->setGeometry(ScaledRect(MenuPanelRect(m_menu.Window), m_scale));
    layoutMenuPanel();
    Panel1->show();
    Panel1->raise();
    if (m_content)
        m_content->setFocus();
}

void MenuScreenForm::layoutMenuPanel()
{
    const int width = Panel1->width();
    const int height = Panel1->height();
    const int top = Scaled(kTopStripHeight, m_scale);
    const int side = Scaled(kSideMargin, m_scale);
    TopStrip->setGeometry(0, 0, width, top);
    const int bottom = std::max(top, height - Scaled(kBottomStripHeight, m_scale));
    CommandPnl->move(CommandPanelLeft(width, CommandPnl->width()), bottom);
    if (m_content) {
        const int available = std::max(0, bottom - top);
        m_content->setGeometry(side, top, std::max(0, width - 2 * side), contentHeight(available));
    }
}

int MenuScreenForm::contentHeight(int available) const
{
    return available;
}

void MenuScreenForm::watchKeys()
{
    installEventFilter(this);
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool MenuScreenForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyPreview(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == Panel1 && event->type() == QEvent::Resize)
        layoutMenuPanel();
    return QDialog::eventFilter(watched, event);
}

void MenuScreenForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    CentreOnScreen(this);
    placePanels();
}

void MenuScreenForm::showAbout()
{
    ShowAboutBox(m_presentation.AboutBox, AboutMode::Designed, m_directory, this, m_scale);
}

void MenuScreenForm::showHelp()
{
    platform::help().showHelp(m_program.HelpStartTopic);
}

} // namespace runtime
