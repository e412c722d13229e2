#include "design/tmenuadjustform.h"

#include "design/adjustgeometry.h"
#include "design/tstretchhandle.h"
#include "platform/f1filter.h"
#include "runtime/authorpanel.h"
#include "runtime/backgroundview.h"
#include "shell/colorref.h"
#include "shell/utilities.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace design {

namespace {

constexpr int kMenuHelp = 320;
constexpr int kTopStrip = 24;
constexpr int kSideStrip = 25;
constexpr int kLowerStrip = 15;
constexpr int kBottomStrip = 32;

void Fill(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void ShowBar(QLabel* bar, const storage::TextBar& design)
{
    bar->setVisible(design.Used);
    if (!design.Used)
        return;
    shell::FontSpec font = shell::TextToFont(design.Font);
    const int height = BarHeight(design.Font);
    font.size = std::max(1, height / 2);
    bar->setFont(font.toFont());
    bar->setText(design.Text);
    bar->setAlignment(Qt::AlignCenter);
    Fill(bar, shell::ColorRefToQColor(design.Color));
    QPalette pal = bar->palette();
    pal.setColor(QPalette::WindowText, font.qcolor());
    bar->setPalette(pal);
    bar->setFixedHeight(height);
}

} // namespace

TMenuAdjustForm::TMenuAdjustForm(const storage::MenuScreenDesign& menu, const QString& directory,
                                 QWidget* parent)
    : AdjusterForm(QStringLiteral("Press Mouse Right Button for Menu"), QStringLiteral("&Help"), parent),
      m_menu(menu), m_directory(directory)
{
    setObjectName(QStringLiteral("TMenuAdjustForm"));
    platform::SetHelpContext(this, kMenuHelp);
    createControls();
    createLayout();
    CentreOnScreen(this, QSize(kScreenWidth, kScreenHeight));

    ShowBar(TitlePnl, m_menu.TitleBar);
    ShowBar(StatusPnl, m_menu.StatusBar);
    // The screen takes its colour first; a picture then covers it, or an error leaves the colour.
    runtime::ShowBackground(MainPnl, runtime::BackgroundOf(m_menu.Window), m_directory,
                            runtime::ColourRule::ColourFirst);
    watch(this);
}

void TMenuAdjustForm::createControls()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // The reader's menu bar, shown for its room on the screen; its item does nothing here.
    MainMenu1->addAction(QStringLiteral("&Quit"))->setObjectName(QStringLiteral("MQuit"));

    TitlePnl = new QLabel(this);
    TitlePnl->setObjectName(QStringLiteral("TitlePnl"));
    StatusPnl = new QLabel(this);
    StatusPnl->setObjectName(QStringLiteral("StatusPnl"));

    MainPnl = new runtime::BackgroundView(this);
    MainPnl->setObjectName(QStringLiteral("MainPnl"));

    // The author box is the reader's own panel, so it is drawn here exactly as the learner sees it.
    AuthorPnl = new runtime::AuthorPanel(MainPnl);

    Panel1 = new QFrame(MainPnl);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setToolTip(QStringLiteral(" Press Mouse right button for Menu"));
    Fill(Panel1, QColor(Qt::lightGray));
    TopStrip = new QFrame(Panel1);
    TopStrip->setObjectName(QStringLiteral("TopStrip"));
    ListArea = new QFrame(Panel1);
    ListArea->setObjectName(QStringLiteral("ListArea"));
    ListArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Fill(ListArea, shell::ColorRefToQColor(m_menu.Window.TextWindowColor));
    BottomStrip = new QFrame(Panel1);
    BottomStrip->setObjectName(QStringLiteral("BottomStrip"));
    CommandPnl = new QFrame(BottomStrip);
    CommandPnl->setObjectName(QStringLiteral("CommandPnl"));
    CommandPnl->setFixedSize(kCommandPanelWidth, kBottomStrip - 4);
    FindBtn = new QPushButton(QStringLiteral("&Find"), CommandPnl);
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    OKBtn = new QPushButton(QStringLiteral("&OK"), CommandPnl);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CloseBtn = new QPushButton(QStringLiteral("&Close"), CommandPnl);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    const int buttonWidth = (kCommandPanelWidth - 8) / 3;
    int left = 2;
    for (QPushButton* button : {FindBtn, OKBtn, CloseBtn}) {
        button->setGeometry(left, 1, buttonWidth, kBottomStrip - 6);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        left += buttonWidth + 2;
    }
    connect(CloseBtn, &QPushButton::clicked, this, &TMenuAdjustForm::reject);
    Panel1->installEventFilter(this);
}

void TMenuAdjustForm::createLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(TitlePnl);
    layout->addWidget(MainPnl, 1);
    layout->addWidget(StatusPnl);
}

void TMenuAdjustForm::layoutListWindow()
{
    const int w = Panel1->width();
    const int h = Panel1->height();
    TopStrip->setGeometry(0, 0, w, kTopStrip);
    ListArea->setGeometry(kSideStrip, kTopStrip, std::max(0, w - 2 * kSideStrip),
                          std::max(0, h - kTopStrip - kLowerStrip - kBottomStrip));
    BottomStrip->setGeometry(0, std::max(0, h - kBottomStrip), w, kBottomStrip);
    CommandPnl->move(CentredLeft(w, CommandPnl->width()), 2);
}

bool TMenuAdjustForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize) {
        // The list window keeps room for its command panel: a narrower one is widened at once.
        if (Panel1->width() < kMinListWindowWidth) {
            Panel1->resize(kMinListWindowWidth, Panel1->height());
            return false;
        }
        layoutListWindow();
    }
    return AdjusterForm::eventFilter(watched, event);
}

void TMenuAdjustForm::showEvent(QShowEvent* event)
{
    AdjusterForm::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TMenuAdjustForm::FormActivate()
{
    if (m_menu.UseAuthorBox)
        AuthorPnl->showBox(m_menu.Author);
    else
        AuthorPnl->hide();
    const storage::WindowDesign& window = m_menu.Window;
    Panel1->setGeometry(SafeRect(window.TextLeft, window.TextTop, window.TextWidth, window.TextHeight));
    layoutListWindow();
}

bool TMenuAdjustForm::partPressed(QWidget* widget, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || widget == CloseBtn)
        return false;
    if (widget == AuthorPnl || AuthorPnl->isAncestorOf(widget)) {
        attachOnly(AuthorPnl);
        return true;
    }
    if (widget == Panel1 || Panel1->isAncestorOf(widget)) {
        attachOnly(Panel1);
        return true;
    }
    return false;
}

void TMenuAdjustForm::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the menu adjuster; Quit, the close box and "&Close" do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    AdjusterForm::keyPressEvent(event);
}

void TMenuAdjustForm::saveLayout()
{
    StoreMenuLayout(m_menu, Panel1->geometry(), AuthorPnl->geometry());
}

bool AdjustMenuLayout(storage::MenuScreenDesign& menu, QWidget* parent)
{
    TMenuAdjustForm form(menu, QDir::currentPath(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    menu = form.menu();
    return true;
}

} // namespace design
