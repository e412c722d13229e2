#include "shell/tquorvelform.h"

#include "authoring/tdraftform.h"
#include "authoring/thypmenuform.h"
#include "authoring/thypreorgfm.h"
#include "authoring/timporttopicsform.h"
#include "publish/compiler.h"
#include "publish/executable.h"
#include "publish/printstudylist.h"
#include "publish/tdistribform.h"
#include "publish/tpublishform.h"
#include "design/presentationflows.h"
#include "platform/dialogs.h"
#include "platform/f1filter.h"
#include "platform/helpengine.h"
#include "runtime/programrun.h"
#include "runtime/taboutbox.h"
#include "runtime/windowpreviewscreens.h"
#include "runtime/windowscreens.h"
#include "runtime/ttutorialform.h"
#include "shell/appstate.h"
#include "shell/buttonrules.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/operationframe.h"
#include "shell/tileimage.h"
#include "shell/tmakedirform.h"
#include "shell/utilities.h"
#include "storage/settings.h"
#include "storage/thistoryform.h"
#include "storage/topicflows.h"
#include "storage/topicstore.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTemporaryFile>
#include <QTimer>
#include <QVBoxLayout>

namespace shell {

namespace {

const QString kHint = QStringLiteral(" Press F1 for Help");
constexpr int kButtonWidth = 190;
constexpr int kButtonHeight = 30;

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& caption,
                     const QList<QPushButton*>& buttons)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(6);
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    return group;
}

} // namespace

QString ListsFolder(const QString& programDirectory)
{
    // Asked by writing, not by permission bits, which do not stop the superuser.
    QTemporaryFile probe(WithTrailingSeparator(programDirectory) + QStringLiteral("write-test-XXXXXX"));
    if (probe.open())
        return WithTrailingSeparator(programDirectory);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return WithTrailingSeparator(documents);
}

void InitialiseProcess(AppState& state, const QString& programDirectory)
{
    state.ProgramDirectory = WithTrailingSeparator(programDirectory);
    state.WorkingDirectory = ListsFolder(state.ProgramDirectory);
    if (!QDir::setCurrent(state.WorkingDirectory))
        throw Error(QStringLiteral("Cannot change to the directory ") + QDir::toNativeSeparators(state.WorkingDirectory));
    state.HelpFilePath = state.ProgramDirectory + QStringLiteral("QUORVELA.HLP");
    platform::help().setHelpFile(state.HelpFilePath);
    storage::SettingsRecord fresh;
    state.Settings = fresh;
    // The version marker of new and converted records is the record's default, "2.21".
    const QScreen* screen = QGuiApplication::primaryScreen();
    state.LowColour = screen && screen->depth() < 16;
}

TQuorvelForm::TQuorvelForm(AppState& state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("TQuorvelForm"));
    setWindowTitle(QStringLiteral("Quorvel for Windows Ver 2.3"));
    // A fixed border: the window has a system menu and a minimise box, and is not resized.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    createControls();
    createLayout();
    UpdateButtons();
    MenuPnl->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TQuorvelForm::startUpChecks);
    Timer1->start();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    m_state.DesignOrigin = QPoint((width() - 640) / 2, (height() - 480) / 2);
}

QPushButton* TQuorvelForm::makeButton(const QString& name, const QString& caption, int helpContext, bool hint)
{
    auto* button = new QPushButton(caption, MenuPnl);
    button->setObjectName(name);
    button->setMinimumSize(kButtonWidth, kButtonHeight);
    if (helpContext > 0)
        platform::SetHelpContext(button, helpContext);
    if (hint)
        button->setStatusTip(kHint);
    return button;
}

void TQuorvelForm::createControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    TitlePnl = new QLabel(QStringLiteral("Quorvel for Windows Ver 2.3"), central);
    TitlePnl->setObjectName(QStringLiteral("TitlePnl"));
    TitlePnl->setAlignment(Qt::AlignCenter);
    TitlePnl->setStyleSheet(QStringLiteral(
        "QLabel { background: #1f3346; color: #f3efe2; font-size: 18pt; font-weight: bold; padding: 6px; }"));

    wiaTile1 = new TileImage(central);
    wiaTile1->setObjectName(QStringLiteral("wiaTile1"));
    wiaTile1->setTile(TileImage::DefaultTile());

    MenuPnl = new QFrame(wiaTile1);
    MenuPnl->setObjectName(QStringLiteral("MenuPnl"));
    MenuPnl->setAutoFillBackground(true);
    MenuPnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    MenuPnl->setLineWidth(2);
    MenuPnl->setStatusTip(kHint);
    platform::SetHelpContext(MenuPnl, 1);

    waitpnl = new QLabel(QStringLiteral("Working. Please wait..."), wiaTile1);
    waitpnl->setObjectName(QStringLiteral("waitpnl"));
    waitpnl->setAlignment(Qt::AlignCenter);
    waitpnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    waitpnl->setAutoFillBackground(true);
    waitpnl->setStyleSheet(QStringLiteral("QLabel { font-size: 14pt; font-weight: bold; padding: 18px; }"));
    waitpnl->adjustSize();
    waitpnl->hide();

    Newbtn = makeButton(QStringLiteral("Newbtn"), QStringLiteral("Start &New List"), 100);
    SelectBtn = makeButton(QStringLiteral("SelectBtn"), QStringLiteral("&Select a Study List"), 120);
    AddBtn = makeButton(QStringLiteral("AddBtn"), QStringLiteral("&Add a Topic"), 140);
    ImportBtn = makeButton(QStringLiteral("ImportBtn"), QStringLiteral("&Import Topics"), 150);
    EditBtn = makeButton(QStringLiteral("EditBtn"), QStringLiteral("&Edit a Topic"), 160);
    ViewBtn = makeButton(QStringLiteral("ViewBtn"), QStringLiteral("&View a Topic"), 170);
    DeleteBtn = makeButton(QStringLiteral("DeleteBtn"), QStringLiteral("&Delete a Topic"), 180);
    HistoryBtn = makeButton(QStringLiteral("HistoryBtn"), QStringLiteral("Earl&ier Versions"), 190);
    PreViewBtn = makeButton(QStringLiteral("PreViewBtn"), QStringLiteral("&PreView Program"), 260);
    CompileBtn = makeButton(QStringLiteral("CompileBtn"), QStringLiteral("&Compile Study List"), 270);
    ExecBtn = makeButton(QStringLiteral("ExecBtn"), QStringLiteral("Create E&xecutable"), 280);
    TestExecBtn = makeButton(QStringLiteral("TestExecBtn"), QStringLiteral("Prepare Distrib&ution"), 290);
    PublishBtn = makeButton(QStringLiteral("PublishBtn"), QStringLiteral("Publish for the &Web"), 295);
    PrintListBtn = makeButton(QStringLiteral("PrintListBtn"), QStringLiteral("Print Stud&y List"), 296);
    CustListBtn = makeButton(QStringLiteral("CustListBtn"), QStringLiteral("&List Presentation"), 200);
    CustProgBtn = makeButton(QStringLiteral("CustProgBtn"), QStringLiteral("P&rogram Presentation"), 230);
    ReorgBtn = makeButton(QStringLiteral("ReorgBtn"), QStringLiteral("Topic &Order"), 240);
    HelpBtn = makeButton(QStringLiteral("HelpBtn"), QStringLiteral("&Help"), 1, false);
    TutorBtn = makeButton(QStringLiteral("TutorBtn"), QStringLiteral("&Tutorial"), 1, false);
    AboutBtn = makeButton(QStringLiteral("AboutBtn"), QStringLiteral("A&bout This Program"), 80, false);
    QuitBtn = makeButton(QStringLiteral("QuitBtn"), QStringLiteral("&Quit"), 0, false);

    StatusPnlBox = new QFrame(central);
    StatusPnlBox->setObjectName(QStringLiteral("StatusPnlBox"));
    StatusPnl = new QLabel(StatusPnlBox);
    StatusPnl->setObjectName(QStringLiteral("StatusPnl"));
    ProjectPnl = new QLabel(QStringLiteral("  Current Study List :"), StatusPnlBox);
    ProjectPnl->setObjectName(QStringLiteral("ProjectPnl"));
    ProjectLbl = new QLabel(QStringLiteral("None Selected"), StatusPnlBox);
    ProjectLbl->setObjectName(QStringLiteral("ProjectLbl"));
    ProjectLbl->setMinimumWidth(160);
    QFont bold = ProjectLbl->font();
    bold.setBold(true);
    ProjectLbl->setFont(bold);

    connect(Newbtn, &QPushButton::clicked, this, &TQuorvelForm::newList);
    connect(SelectBtn, &QPushButton::clicked, this, &TQuorvelForm::selectList);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        runOperation(HelpBtn, false, [] { platform::help().showHelp(1); });
    });
    connect(CompileBtn, &QPushButton::clicked, this,
            [this] { runOperation(CompileBtn, true, [this] { publish::CompileCommand(m_state); }); });
    connect(ExecBtn, &QPushButton::clicked, this,
            [this] {
                runOperation(ExecBtn, true, [this] {
                    // "Try it now" runs the new program like a program Topic and waits for it.
                    publish::CreateExecutable(m_state, [this](const QString& path) {
                        runtime::RunProgramCommand(4, shell::FileNameOf(path), m_state.WorkingDirectory);
                    });
                });
            });
    connect(TutorBtn, &QPushButton::clicked, this, &TQuorvelForm::showTutorial);
    connect(AddBtn, &QPushButton::clicked, this, &TQuorvelForm::addTopic);
    connect(ImportBtn, &QPushButton::clicked, this, &TQuorvelForm::importTopics);
    connect(EditBtn, &QPushButton::clicked, this, &TQuorvelForm::editTopic);
    connect(ViewBtn, &QPushButton::clicked, this, &TQuorvelForm::viewTopic);
    connect(PreViewBtn, &QPushButton::clicked, this, &TQuorvelForm::preview);
    connect(DeleteBtn, &QPushButton::clicked, this, &TQuorvelForm::deleteTopic);
    connect(HistoryBtn, &QPushButton::clicked, this, [this] {
        runOperation(HistoryBtn, false, [this] { storage::EarlierVersions(m_state, this); },
                     [this]() -> QWidget* {
                         // A restore may bring Topics back or take them away.
                         UpdateButtons();
                         return HistoryBtn;
                     });
    });
    connect(TestExecBtn, &QPushButton::clicked, this,
            [this] { runOperation(TestExecBtn, true, [this] { publish::PrepareDistribution(m_state, this); }); });
    // Publishing shows its own progress, so the waiting panel stays hidden.
    connect(PublishBtn, &QPushButton::clicked, this,
            [this] { runOperation(PublishBtn, false, [this] { publish::PublishForWeb(m_state, this); }); });
    connect(PrintListBtn, &QPushButton::clicked, this,
            [this] { runOperation(PrintListBtn, false, [this] { publish::PrintStudyListCommand(m_state, this); }); });
    connect(CustListBtn, &QPushButton::clicked, this, [this] {
        runOperation(CustListBtn, false, [this] { design::ListPresentation(m_state, this); },
                     [this]() -> QWidget* {
                         // The program presentation follows the menu screen switch.
                         UpdateButtons();
                         return CustListBtn;
                     });
    });
    connect(CustProgBtn, &QPushButton::clicked, this, [this] {
        runOperation(CustProgBtn, false, [this] { design::ProgramPresentation(m_state, this); });
    });
    connect(ReorgBtn, &QPushButton::clicked, this, [this] {
        runOperation(ReorgBtn, false, [this] {
            authoring::TopicOrder(m_state.resolve(m_state.TopicStorePath), storage::kTopicKind, this);
        });
    });
    connect(AboutBtn, &QPushButton::clicked, this, &TQuorvelForm::showOwnAbout);
    connect(QuitBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TQuorvelForm::createLayout()
{
    auto* buttons = new QGridLayout(MenuPnl);
    buttons->setContentsMargins(16, 14, 16, 14);
    buttons->setHorizontalSpacing(18);
    buttons->setVerticalSpacing(10);
    auto* listRow = new QHBoxLayout;
    listRow->setSpacing(18);
    listRow->addWidget(Newbtn);
    listRow->addWidget(SelectBtn);
    buttons->addLayout(listRow, 0, 0, 1, 2);
    buttons->addWidget(MakeGroup(MenuPnl, QStringLiteral("CreateGrp"), QStringLiteral("  Create Study List  "),
                                 {AddBtn, ImportBtn, EditBtn, ViewBtn, DeleteBtn, HistoryBtn}),
                       1, 0);
    buttons->addWidget(MakeGroup(MenuPnl, QStringLiteral("ProgramGrp"), QStringLiteral("  Create Program  "),
                                 {PreViewBtn, CompileBtn, ExecBtn, TestExecBtn, PublishBtn,
                                  PrintListBtn}),
                       1, 1);
    buttons->addWidget(MakeGroup(MenuPnl, QStringLiteral("CustomizeGrp"), QStringLiteral("  Customize  "),
                                 {CustListBtn, CustProgBtn, ReorgBtn}),
                       2, 0);
    buttons->addWidget(MakeGroup(MenuPnl, QStringLiteral("HelpGrp"), QStringLiteral("  Help  "),
                                 {HelpBtn, TutorBtn, AboutBtn}),
                       2, 1);
    auto* quitRow = new QHBoxLayout;
    quitRow->addStretch();
    quitRow->addWidget(QuitBtn);
    quitRow->addStretch();
    buttons->addLayout(quitRow, 3, 0, 1, 2);
    MenuPnl->adjustSize();

    auto* status = new QHBoxLayout(StatusPnlBox);
    status->setContentsMargins(6, 2, 6, 2);
    status->addWidget(StatusPnl, 1);
    status->addWidget(ProjectPnl);
    status->addWidget(ProjectLbl);
    StatusPnlBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* layout = new QVBoxLayout(centralWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TitlePnl);
    layout->addWidget(wiaTile1, 1);
    layout->addWidget(StatusPnlBox);
}

void TQuorvelForm::centrePanels()
{
    MenuPnl->move(wiaTile1->width() / 2 - MenuPnl->width() / 2, wiaTile1->height() / 2 - MenuPnl->height() / 2);
    waitpnl->move(wiaTile1->width() / 2 - waitpnl->width() / 2, wiaTile1->height() / 2 - waitpnl->height() / 2);
}

void TQuorvelForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The border is fixed: the window opens maximised and keeps the size the window system gave it
    // for that, so dragging its edges does nothing. Only the window system's own resize counts; the
    // maximised state is set before the window manager has made room for the title bar.
    if (event->spontaneous() && isMaximized()) {
        m_fixedBorder = true;
        setFixedSize(event->size());
    }
    centrePanels();
}

void TQuorvelForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A window manager that cannot maximise a window of fixed size (openbox) makes it a normal
    // window again, its title bar above the top of the screen; it then covers the work area as one.
    if (event->type() == QEvent::WindowStateChange && m_fixedBorder && windowState() == Qt::WindowNoState)
        QTimer::singleShot(0, this, &TQuorvelForm::coverWorkArea);
}

void TQuorvelForm::coverWorkArea()
{
    const QRect area = screen()->availableGeometry();
    setFixedSize(area.size() - (frameGeometry().size() - size()));
    move(area.topLeft());
}

bool TQuorvelForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        StatusPnl->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        centrePanels();
    return QMainWindow::event(event);
}

void TQuorvelForm::startUpChecks()
{
    Timer1->stop();
    m_state.DesignOrigin = QPoint((width() - 640) / 2, (height() - 480) / 2);
    if (m_state.LowColour)
        ShowVideoAdvisory();
    centrePanels();
    MenuPnl->show();
    HelpBtn->setFocus();
}

void TQuorvelForm::UpdateButtons()
{
    ButtonStates states;
    RunGuarded(m_state, [&] { states = ComputeButtonStates(m_state); });
    ProjectLbl->setText(states.projectLabel.isEmpty() ? QStringLiteral("None Selected") : states.projectLabel);
    AddBtn->setEnabled(states.add);
    HistoryBtn->setEnabled(states.add);
    ImportBtn->setEnabled(states.add);
    CustListBtn->setEnabled(states.add);
    CustProgBtn->setEnabled(states.programPresentation);
    for (QPushButton* button :
         {EditBtn, ViewBtn, DeleteBtn, PreViewBtn, ReorgBtn, CompileBtn, ExecBtn, TestExecBtn, PublishBtn,
          PrintListBtn})
        button->setEnabled(states.topics);
}

void TQuorvelForm::runOperation(QPushButton* button, bool showWait, const std::function<void()>& operation,
                                const std::function<QWidget*()>& focusAfter)
{
    MenuPnl->hide();
    if (showWait) {
        centrePanels();
        waitpnl->show();
        waitpnl->repaint();
    }
    RunGuarded(m_state, operation);
    waitpnl->hide();
    MenuPnl->show();
    QWidget* focus = focusAfter ? focusAfter() : button;
    if (focus && focus->isEnabled())
        focus->setFocus();
}

void TQuorvelForm::focusAddOr(QPushButton* fallback)
{
    (AddBtn->isEnabled() ? AddBtn : fallback)->setFocus();
}

void TQuorvelForm::newList()
{
    MenuPnl->hide();
    // Cancel and a folder that cannot be made leave the focus on "Start &New List".
    bool entered = false;
    RunGuarded(m_state, [this, &entered] {
        const auto answer = AskNewStudyList(QStringLiteral("*.SWJ"), 105, QStringLiteral("Enter a new Study List name"),
                                            m_state.WorkingDirectory, this);
        if (!answer)
            return;
        const QString folder = answer->folder;
        if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
            ShowError(QStringLiteral("Unable to create the directory"));
            return;
        }
        entered = true;
        m_state.WorkingDirectory = WithTrailingSeparator(QDir::currentPath());
        m_state.SettingsPath = ChangeExtension(answer->name, QStringLiteral(".SWJ"));
        ProjectLbl->setText(BaseName(m_state.SettingsPath));
        storage::OpenSettings(m_state);
    });
    UpdateButtons();
    MenuPnl->show();
    if (entered)
        focusAddOr(Newbtn);
    else
        Newbtn->setFocus();
}

void TQuorvelForm::selectList()
{
    MenuPnl->hide();
    RunGuarded(m_state, [this] {
        platform::FileRequest request;
        request.title = QStringLiteral("Select a Study List");
        request.filter = QStringLiteral(" Study Lists   (*.SWJ)|*.swj");
        request.defaultSuffix = QStringLiteral("SWJ");
        request.directory = ListsFolder(m_state.ProgramDirectory);
        request.helpContext = 90;
        const QString picked = platform::dialogs().openFileName(request);
        if (!picked.isEmpty()) {
            const QFileInfo info(picked);
            m_state.WorkingDirectory = WithTrailingSeparator(info.absolutePath());
            if (!QDir::setCurrent(m_state.WorkingDirectory))
                throw Error(QStringLiteral("Cannot change to the directory ") +
                            QDir::toNativeSeparators(m_state.WorkingDirectory));
            // The chooser named folders that exist as they are; only the list's own file name is
            // stored upper-cased and found without regard to case.
            m_state.SettingsPath =
                m_state.WorkingDirectory + ChangeExtension(info.fileName(), QStringLiteral(".SWJ")).toUpper();
        }
        if (m_state.hasStudyList()) {
            storage::OpenSettings(m_state);
            if (m_state.hasStudyList()) {
                ProjectLbl->setText(BaseName(m_state.SettingsPath));
                authoring::OfferDrafts(m_state, this);
            }
        }
    });
    UpdateButtons();
    MenuPnl->show();
    focusAddOr(SelectBtn);
}

void TQuorvelForm::showTutorial()
{
    runOperation(TutorBtn, false, [this] {
        const QString path = m_state.ProgramDirectory + QStringLiteral("QUORVELA.RTF");
        if (!QFileInfo::exists(path)) {
            ShowError(QStringLiteral("The tutorial file ") + QDir::toNativeSeparators(path) +
                      QStringLiteral(" was not found."));
            return;
        }
        runtime::ShowTutorial(path, this);
    });
}

void TQuorvelForm::addTopic()
{
    runOperation(
        AddBtn, false,
        [this] {
            do {
                authoring::AddTopic(m_state.resolve(m_state.TopicStorePath), 145, m_state, this);
            } while (AskYesNo(QStringLiteral("Do you want to add another Topic?")));
        },
        [this]() -> QWidget* {
            UpdateButtons();
            return AddBtn;
        });
}

void TQuorvelForm::importTopics()
{
    runOperation(
        ImportBtn, false,
        [this] {
            authoring::ImportTopicsDialog(m_state.resolve(m_state.TopicStorePath), m_state.WorkingDirectory, this);
        },
        [this]() -> QWidget* {
            UpdateButtons();
            return ImportBtn;
        });
}

void TQuorvelForm::editTopic()
{
    runOperation(
        EditBtn, false,
        [this] { authoring::EditTopic(m_state.resolve(m_state.TopicStorePath), 165, m_state, this); },
        [this]() -> QWidget* {
            UpdateButtons();
            return EditBtn;
        });
}

void TQuorvelForm::viewTopic()
{
    runOperation(
        ViewBtn, false,
        [this] {
            const storage::TopicRunner runner = [this](const QStringList& entry) {
                runtime::RunTopicInWindows(entry, m_state, this);
            };
            storage::ViewTopic(m_state.resolve(m_state.TopicStorePath), storage::kTopicKind, 175, runner, this);
        },
        [this]() -> QWidget* {
            UpdateButtons();
            return ViewBtn;
        });
}

void TQuorvelForm::preview()
{
    runOperation(PreViewBtn, false, [this] { runtime::PreviewStudyList(m_state, this); });
}

void TQuorvelForm::deleteTopic()
{
    runOperation(
        DeleteBtn, false,
        [this] { storage::DeleteTopic(m_state.resolve(m_state.TopicStorePath), storage::kTopicKind, 185, this); },
        [this]() -> QWidget* {
            // Runs after the operation, failed or not: the store may now be empty or gone.
            UpdateButtons();
            return DeleteBtn->isEnabled() ? DeleteBtn : AddBtn;
        });
}

void TQuorvelForm::showOwnAbout()
{
    runOperation(AboutBtn, false, [this] {
        QDialog dialog(this);
        dialog.setObjectName(QStringLiteral("OwnAboutForm"));
        dialog.setWindowTitle(QStringLiteral("About This Program"));
        platform::SetHelpContext(&dialog, 80);
        auto* text = new QLabel(
            QStringLiteral("<h3>Quorvel for Windows Ver 2.3</h3>"
                           "<p>The authoring tool for teachers and course writers.</p>"
                           "<p>Build a Study List of Topics, design how it presents itself,<br>"
                           "preview it, and hand it out as one program.</p>"),
            &dialog);
        auto* about = new QPushButton(QStringLiteral("&About Quorvel"), &dialog);
        about->setObjectName(QStringLiteral("AboutQuorvelBtn"));
        auto* close = new QPushButton(QStringLiteral("&Close"), &dialog);
        close->setObjectName(QStringLiteral("CloseBtn"));
        close->setDefault(true);
        connect(about, &QPushButton::clicked, &dialog,
                [&dialog] { runtime::ShowAboutBox(runtime::OwnAboutBox(), runtime::AboutMode::Own, {}, &dialog); });
        connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(about);
        row->addWidget(close);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        layout->addLayout(row);
        dialog.exec();
    });
}

} // namespace shell
