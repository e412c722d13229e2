#include "runtime/ttxtvpdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/taboutbox.h"
#include "runtime/textbar.h"
#include "shell/appstate.h"
#include "shell/colorref.h"

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

TTxtVPDispForm::TTxtVPDispForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                               const shell::AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_record(record), m_pageText(pageText),
      m_state(state)
{
    setObjectName(QStringLiteral("TTxtVPDispForm"));
    createActions();
    createControls();
    createLayout();

    ScreenPnl->setFixedSize(kDesignSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), sizeHint());
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    ShowBackground(ScreenPnl, BackgroundOf(m_record), m_state.WorkingDirectory, ColourRule::ColourByKind);

    setWindowTitle(m_state.CurrentTopicTitle);
    SetTextWindowColor(m_text, shell::ColorRefToQColor(m_record.TextWindowColor));
}

void TTxtVPDispForm::createActions()
{
    MQuit = new QAction(QStringLiteral("&Close"), this);
    MQuit->setObjectName(QStringLiteral("MQuit"));
    connect(MQuit, &QAction::triggered, this, &QDialog::reject);
    MHelp = new QAction(QStringLiteral("&Help"), this);
    MHelp->setObjectName(QStringLiteral("MHelp"));
    connect(MHelp, &QAction::triggered, this,
            [this] { platform::help().showHelp(m_state.Settings.Program.HelpStartTopic); });
    MAbout = new QAction(QStringLiteral("&About"), this);
    MAbout->setObjectName(QStringLiteral("MAbout"));
    connect(MAbout, &QAction::triggered, this, [this] {
        ShowAboutBox(m_state.Settings.Presentation.AboutBox, AboutMode::Designed, m_state.WorkingDirectory, this);
    });
    // The preview shows none of the menu items; the reader program may.
    for (QAction* action : {MQuit, MHelp, MAbout})
        action->setVisible(false);
}

void TTxtVPDispForm::createControls()
{
    const ScreenBars bars = MakeScreenBars(this, {MQuit, MHelp, MAbout});
    MainMenu1 = bars.menu;
    TitlePnl = bars.title;
    StatusPnl = bars.status;

    ScreenPnl = new BackgroundView(this);
    ScreenPnl->setObjectName(QStringLiteral("ScreenPnl"));
    connect(ScreenPnl, &BackgroundView::backgroundPressed, this, &QDialog::reject);

    m_text = MakePageTextWindow(ScreenPnl, QStringLiteral("TextPnl"));
    m_text.panel->hide();
}

void TTxtVPDispForm::createLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(TitlePnl);
    layout->addWidget(ScreenPnl);
    layout->addWidget(StatusPnl);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TTxtVPDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TTxtVPDispForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TTxtVPDispForm::FormActivate()
{
    m_text.panel->hide();
    m_text.panel->setGeometry(DesignedTextRect(m_record, ScreenPnl->size()));
    LoadPageText(m_text.edit, m_pageText);
    m_text.edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text.panel->show();
}

void ShowDesignedPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                      const shell::AppState& state, QWidget* parent)
{
    TTxtVPDispForm form(record, pageText, state, parent);
    form.exec();
}

} // namespace runtime
