// The main window: button rules over real Study Lists, New and Select, the new-list dialog's
// checks, the tutorial message and the operation frame.

#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/tmakedirform.h"
#include "shell/tquorvelform.h"
#include "storage/settings.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace shell;

namespace {

const QStringList kTopicButtons = {"EditBtn",   "ViewBtn",    "DeleteBtn", "PreViewBtn",
                                   "ReorgBtn",  "CompileBtn", "ExecBtn",   "TestExecBtn",
                                   "PublishBtn"};
const QStringList kAlwaysOn = {"Newbtn", "SelectBtn", "HelpBtn", "TutorBtn", "AboutBtn", "QuitBtn"};

bool Enabled(QWidget& window, const QString& name)
{
    auto* button = window.findChild<QPushButton*>(name);
    return button && button->isEnabled();
}

// Runs `act` on the next modal dialog that opens.
void WhenDialogOpens(const std::function<void(QDialog*)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
    });
}

// Answers the next new-list dialog with a folder that can be neither made nor entered.
void AnswerWithFolderUnderAFile(const QTemporaryDir& dir)
{
    WriteAll(dir.filePath("plainfile"), "x");
    const QString folder = dir.filePath("plainfile/sub");
    WhenDialogOpens([folder](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("Edit1")->setText(folder);
        dialog->findChild<QLineEdit*>("Edit2")->setText(QStringLiteral("x"));
        dialog->findChild<QPushButton*>("OKBtn")->click();
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void noStudyList_onlyListAndHelpButtons();
    void newListWithoutTopics_enablesAddAndCustomising();
    void firstTopic_enablesTopicButtons();
    void menuScreenOff_disablesProgramPresentation();
    void newList_createsFolderAndRecord();
    void newList_cancelChangesNothing();
    void newList_folderThatCannotBeMade();
    void newList_cancelOrNoFolder_focusesNewButton();
    void window_maximisedWithAFixedBorder();
    void newListDialog_refusesBadNames_data();
    void newListDialog_refusesBadNames();
    void select_findsListCreatedInOtherCase();
    void select_damagedRecordShowsErrorAndStaysUsable();
    void tutorial_missingFileMessage();
    void tutorial_existingFileOpensViewer();
    void buttons_carryCaptionsHintsAndHelp();

private:
    ScriptedDialogs* m_dialogs = nullptr;
    QTemporaryDir* m_dir = nullptr;
    AppState m_state;
};

void TestMainWindow::init()
{
    m_dialogs = new ScriptedDialogs;
    m_dir = new QTemporaryDir;
    m_state = AppState();
    InitialiseProcess(m_state, m_dir->path());
}

void TestMainWindow::cleanup()
{
    delete m_dir;
    delete m_dialogs;
}

void TestMainWindow::noStudyList_onlyListAndHelpButtons()
{
    TQuorvelForm window(m_state);
    QCOMPARE(window.findChild<QLabel*>("ProjectLbl")->text(), QStringLiteral("None Selected"));
    for (const QString& name : kAlwaysOn)
        QVERIFY2(Enabled(window, name), qPrintable(name));
    for (const QString& name : kTopicButtons + QStringList{"AddBtn", "CustListBtn", "CustProgBtn"})
        QVERIFY2(!Enabled(window, name), qPrintable(name));
}

void TestMainWindow::newListWithoutTopics_enablesAddAndCustomising()
{
    m_state.SettingsPath = QStringLiteral("rocks.SWJ");
    storage::OpenSettings(m_state);
    TQuorvelForm window(m_state);
    QCOMPARE(window.findChild<QLabel*>("ProjectLbl")->text(), QStringLiteral("rocks"));
    QVERIFY(Enabled(window, "AddBtn"));
    QVERIFY(Enabled(window, "CustListBtn"));
    QVERIFY(Enabled(window, "CustProgBtn"));
    for (const QString& name : kTopicButtons)
        QVERIFY2(!Enabled(window, name), qPrintable(name));
}

void TestMainWindow::firstTopic_enablesTopicButtons()
{
    m_state.SettingsPath = QStringLiteral("rocks.SWJ");
    storage::OpenSettings(m_state);
    TQuorvelForm window(m_state);
    // An introduction alone is no Topic.
    WriteAll(m_dir->filePath("rocks.SWR"), "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nHi\r\n]\r\n\r\n");
    window.UpdateButtons();
    QVERIFY(!Enabled(window, "EditBtn"));
    WriteAll(m_dir->filePath("rocks.SWR"), "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nHi\r\n]\r\n\r\n"
                                           "[Volcanoes]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n]\r\n\r\n");
    window.UpdateButtons();
    for (const QString& name : kTopicButtons)
        QVERIFY2(Enabled(window, name), qPrintable(name));
}

void TestMainWindow::menuScreenOff_disablesProgramPresentation()
{
    m_state.SettingsPath = QStringLiteral("rocks.SWJ");
    storage::OpenSettings(m_state);
    TQuorvelForm window(m_state);
    m_state.MenuScreenCopy = false;
    window.UpdateButtons();
    QVERIFY(!Enabled(window, "CustProgBtn"));
    QVERIFY(Enabled(window, "CustListBtn"));
}

void TestMainWindow::newList_createsFolderAndRecord()
{
    TQuorvelForm window(m_state);
    const QString folder = m_dir->filePath("lists/geo");
    WhenDialogOpens([folder](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(dialog->findChild<QLabel*>("FileLbl")->text(), QStringLiteral("Enter a new Study List name"));
        dialog->findChild<QLineEdit*>("Edit1")->setText(folder);
        dialog->findChild<QLineEdit*>("Edit2")->setText(QStringLiteral("volcano"));
        dialog->findChild<QPushButton*>("OKBtn")->click();
    });
    window.newList();
    QVERIFY(m_dialogs->errors.isEmpty());
    QCOMPARE(QFileInfo(folder + "/volcano.SWJ").size(), 5105);
    QCOMPARE(m_state.WorkingDirectory, folder + "/");
    QCOMPARE(QDir::currentPath(), folder);
    QCOMPARE(window.findChild<QLabel*>("ProjectLbl")->text(), QStringLiteral("volcano"));
    QVERIFY(Enabled(window, "AddBtn"));
}

void TestMainWindow::newList_cancelChangesNothing()
{
    TQuorvelForm window(m_state);
    WhenDialogOpens([](QDialog* dialog) { dialog->reject(); });
    window.newList();
    QVERIFY(!m_state.hasStudyList());
    QCOMPARE(QDir::currentPath(), QDir(m_dir->path()).absolutePath());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

void TestMainWindow::newList_folderThatCannotBeMade()
{
    TQuorvelForm window(m_state);
    AnswerWithFolderUnderAFile(*m_dir);
    window.newList();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("Unable to create the directory")});
    QVERIFY(!m_state.hasStudyList());
}

void TestMainWindow::newList_cancelOrNoFolder_focusesNewButton()
{
    // With a list open, "&Add a Topic" is enabled, yet neither path reaches the list.
    m_state.SettingsPath = QStringLiteral("rocks.SWJ");
    storage::OpenSettings(m_state);
    TQuorvelForm window(m_state);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    WhenDialogOpens([](QDialog* dialog) { dialog->reject(); });
    window.newList();
    QCOMPARE(window.focusWidget(), window.findChild<QWidget*>("Newbtn"));

    window.findChild<QPushButton*>("HelpBtn")->setFocus();
    AnswerWithFolderUnderAFile(*m_dir);
    window.newList();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("Unable to create the directory")});
    QCOMPARE(window.focusWidget(), window.findChild<QWidget*>("Newbtn"));
}

void TestMainWindow::window_maximisedWithAFixedBorder()
{
    TQuorvelForm window(m_state);
    window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.isMaximized());
    QCOMPARE(window.minimumSize(), window.size());
    QCOMPARE(window.maximumSize(), window.size());
}

void TestMainWindow::newListDialog_refusesBadNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("plus") << "a+b" << "A correct filename must be entered.";
    QTest::newRow("empty") << "" << "A filename must be entered.";
    QTest::newRow("backslash passes") << "a\\b" << "";
}

void TestMainWindow::newListDialog_refusesBadNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TMakeDirForm form(QStringLiteral("*.SWJ"), 105, QStringLiteral("prompt"), m_dir->path());
    form.show();
    form.findChild<QLineEdit*>("Edit2")->setText(name);
    form.findChild<QPushButton*>("OKBtn")->click();
    if (message.isEmpty()) {
        QVERIFY(m_dialogs->errors.isEmpty());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(m_dialogs->errors, QStringList{message});
        QVERIFY(form.isVisible());
        QCOMPARE(form.property("helpContext").toInt(), 105);
    }
}

void TestMainWindow::select_findsListCreatedInOtherCase()
{
    const QString folder = m_dir->filePath("Mixed");
    QVERIFY(QDir().mkpath(folder));
    {
        AppState creator;
        creator.WorkingDirectory = folder + "/";
        creator.SettingsPath = QStringLiteral("volcano.SWJ");
        storage::OpenSettings(creator);
        creator.Settings.Program.Title = QStringLiteral("Volcanoes of the world");
        storage::SaveSettings(creator);
    }
    TQuorvelForm window(m_state);
    m_dialogs->fileAnswers.enqueue(folder + "/volcano.SWJ");
    window.selectList();
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QCOMPARE(m_dialogs->fileRequests[0].title, QStringLiteral("Select a Study List"));
    QCOMPARE(m_dialogs->fileRequests[0].filter, QStringLiteral(" Study Lists   (*.SWJ)|*.swj"));
    QCOMPARE(m_dialogs->fileRequests[0].directory, m_state.ProgramDirectory);
    QCOMPARE(m_state.SettingsPath, folder + "/VOLCANO.SWJ");
    QCOMPARE(m_state.Settings.Program.Title, QStringLiteral("Volcanoes of the world"));
    QCOMPARE(window.findChild<QLabel*>("ProjectLbl")->text(), QStringLiteral("VOLCANO"));
    // Cancelling the chooser reopens the list that is open.
    window.selectList();
    QCOMPARE(m_state.Settings.Program.Title, QStringLiteral("Volcanoes of the world"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("volcano.SWJ")});

    // Of two folders whose names differ only in case, the picked one is opened.
    QVERIFY(QDir().mkpath(m_dir->filePath("Lists")));
    QVERIFY(QDir().rename(folder, m_dir->filePath("lists")));
    m_dialogs->fileAnswers.enqueue(m_dir->filePath("lists/volcano.swj"));
    window.selectList();
    QCOMPARE(m_state.Settings.Program.Title, QStringLiteral("Volcanoes of the world"));
    QVERIFY(QDir(m_dir->filePath("Lists")).isEmpty());
}

void TestMainWindow::select_damagedRecordShowsErrorAndStaysUsable()
{
    WriteAll(m_dir->filePath("BROKEN.SWJ"), QByteArray(100, '\x04'));
    TQuorvelForm window(m_state);
    m_dialogs->fileAnswers.enqueue(m_dir->filePath("BROKEN.SWJ"));
    window.selectList();
    QCOMPARE(m_dialogs->errors.size(), 1);
    QVERIFY(m_dialogs->errors[0].contains(QStringLiteral("damaged")));
    QVERIFY(window.findChild<QWidget*>("MenuPnl")->isVisibleTo(&window));
    QVERIFY(Enabled(window, "Newbtn"));
}

void TestMainWindow::tutorial_missingFileMessage()
{
    TQuorvelForm window(m_state);
    window.showTutorial();
    QCOMPARE(m_dialogs->errors, QStringList{QStringLiteral("The tutorial file ") +
                                            QDir::toNativeSeparators(m_state.ProgramDirectory + "QUORVELA.RTF") +
                                            QStringLiteral(" was not found.")});
}

void TestMainWindow::tutorial_existingFileOpensViewer()
{
    const QString path = m_state.ProgramDirectory + QStringLiteral("QUORVELA.RTF");
    WriteAll(path, "Lesson one");
    TQuorvelForm window(m_state);
    QString caption;
    QString text;
    QTimer::singleShot(0, &window, [&] {
        QWidget* viewer = QApplication::activeModalWidget();
        QVERIFY(viewer);
        caption = viewer->windowTitle();
        text = viewer->findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText();
        viewer->close();
    });
    window.showTutorial();
    QCOMPARE(caption, QDir::toNativeSeparators(path));
    QCOMPARE(text, QStringLiteral("Lesson one"));
    QVERIFY(m_dialogs->errors.isEmpty());
    QVERIFY(m_dialogs->infos.isEmpty());
}

void TestMainWindow::buttons_carryCaptionsHintsAndHelp()
{
    TQuorvelForm window(m_state);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorvel for Windows Ver 2.3"));
    const QList<std::tuple<QString, QString, int>> expected = {
        {"Newbtn", "Start &New List", 100},        {"SelectBtn", "&Select a Study List", 120},
        {"AddBtn", "&Add a Topic", 140},           {"ImportBtn", "&Import Topics", 150},
        {"EditBtn", "&Edit a Topic", 160},
        {"ViewBtn", "&View a Topic", 170},         {"DeleteBtn", "&Delete a Topic", 180},
        {"PreViewBtn", "&PreView Program", 260},   {"CompileBtn", "&Compile Study List", 270},
        {"ExecBtn", "Create E&xecutable", 280},    {"TestExecBtn", "Prepare Distrib&ution", 290},
        {"CustListBtn", "&List Presentation", 200}, {"CustProgBtn", "P&rogram Presentation", 230},
        {"ReorgBtn", "Topic &Order", 240},         {"PublishBtn", "Publish for the &Web", 295},
        {"HelpBtn", "&Help", 1},
        {"TutorBtn", "&Tutorial", 1},              {"AboutBtn", "A&bout This Program", 80},
        {"HistoryBtn", "Earl&ier Versions", 190},
    };
    for (const auto& [name, caption, context] : expected) {
        auto* button = window.findChild<QPushButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->property("helpContext").toInt(), context);
        const bool hinted = !QStringList{"HelpBtn", "TutorBtn", "AboutBtn"}.contains(name);
        QCOMPARE(button->statusTip(), hinted ? QStringLiteral(" Press F1 for Help") : QString());
    }
    QCOMPARE(window.findChild<QPushButton*>("QuitBtn")->text(), QStringLiteral("&Quit"));
    QCOMPARE(window.findChild<QLabel*>("waitpnl")->text(), QStringLiteral("Working. Please wait..."));
    QCOMPARE(window.findChild<QLabel*>("ProjectPnl")->text(), QStringLiteral("  Current Study List :"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
