#include "runtime/ttxtvpdispform.h"

#include "platform/helpengine.h"
#include "runtime/backgroundview.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/taboutbox.h"
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
    const QColor textColor = shell::ColorRefToQColor(m_record.TextWindowColor);
    for (QWidget* widget : {static_cast<QWidget*>(TextPnl), static_cast<QWidget*>(RichEdit1)}) {
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, textColor);
        pal.setColor(QPalette::Base, textColor);
        widget->setPalette(pal);
        widget->setAutoFillBackground(true);
    }
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
    TextPnl->hide();

    RichEdit1 = new QTextEdit(TextPnl);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameStyle(QFrame::NoFrame);
    RichEdit1->document()->setDocumentMargin(5);
}

void TTxtVPDispForm::createLayout()
{
    auto* textLayout = new QVBoxLayout(TextPnl);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(RichEdit1);

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
    TextPnl->hide();
    TextPnl->setGeometry(DesignedTextRect(m_record, ScreenPnl->size()));
    LoadPageText(RichEdit1, m_pageText);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextPnl->show();
}

void ShowDesignedPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                      const shell::AppState& state, QWidget* parent)
{
    TTxtVPDispForm form(record, pageText, state, parent);
    form.exec();
}

} // namespace runtime
