#include "runtime/ttxtvpdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/designscale.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/taboutbox.h"
#include "runtime/textbar.h"
#include "shell/appstate.h"
#include "shell/colorref.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

    AddDesignSizeKey(this, [this] {
        applyScale(m_scale == 1.0 ? m_state.ScreenFit : 1.0);
        FormActivate();
    });
    applyScale(m_state.designScale());

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
        ShowAboutBox(m_state.Settings.Presentation.AboutBox, AboutMode::Designed, m_state.WorkingDirectory, this,
                     m_scale);
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
    m_tools = new PageTools(m_text, m_state.Settings.Presentation.Captions, m_state.CurrentTopicTitle, this);
    // The design leaves no room for a menu bar, so the items are on the text's own menu.
    m_text.edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_text.edit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addActions({m_tools->findAction(), m_tools->printAction()});
        menu.exec(m_text.edit->viewport()->mapToGlobal(at));
    });
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

void TTxtVPDispForm::applyScale(double scale)
{
    const bool shown = isVisible();
    m_scale = scale;
    ScaleWindowFont(this, m_scale);
    FrameForScale(this, m_scale);
    ScreenPnl->setFixedSize(ScaledSize(kDesignSize, m_scale));
    m_tools->setDesignScale(m_scale);
    // Decoded again for the size it is shown at, so a picture stays sharp.
    ShowBackground(ScreenPnl, BackgroundOf(m_record), m_state.WorkingDirectory, ColourRule::ColourByKind);
    if (layout())
        layout()->activate();
    CentreOnScreen(this);
    if (shown)
        show();
}

void TTxtVPDispForm::setMarkedWords(const QStringList& words)
{
    m_tools->setMarkedWords(words);
}

void TTxtVPDispForm::FormActivate()
{
    m_text.panel->hide();
    m_text.panel->setGeometry(ScaledRect(DesignedTextRect(m_record, kDesignSize), m_scale));
    LoadPageText(m_text.edit, m_pageText);
    m_tools->textLoaded();
    m_text.edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text.panel->show();
}

void ShowDesignedPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                      const shell::AppState& state, QWidget* parent, const QStringList& markedWords)
{
    TTxtVPDispForm form(record, pageText, state, parent);
    form.setMarkedWords(markedWords);
    form.exec();
}

} // namespace runtime
