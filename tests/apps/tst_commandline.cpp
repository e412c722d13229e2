// Covers the programs as started from a shell or a file manager: --help and --version, a Study
// List named on the authoring program's command line, the size of the stub and of a one-Topic
// NAME.EXE, and the folder lists start in when the program folder cannot be written.

#include "publish/executable.h"
#include "publish/storetext.h"
#include "quorvel/commandlinelist.h"
#include "shell/appstate.h"
#include "shell/tquorvelform.h"
#include "storage/settings.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 kMaxStubBytes = 2 * 1024 * 1024;
constexpr qint64 kMaxOneTopicExeBytes = qint64(2.1 * 1024 * 1024);

QString BinDir()
{
    return qEnvironmentVariable("QUORVEL_BIN_DIR");
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeList(const QString& folder, const QString& name)
    {
        QDir().mkpath(folder);
        shell::AppState creator;
        creator.WorkingDirectory = folder + QLatin1Char('/');
        creator.SettingsPath = name;
        storage::OpenSettings(creator);
        creator.Settings.Program.Title = QStringLiteral("Rivers");
        storage::SaveSettings(creator);
        return folder + QLatin1Char('/') + name;
    }

private Q_SLOTS:
    void information_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quorvel version") << "quorvel" << "--version" << "quorvel " QUORVEL_VERSION "\n";
        QTest::newRow("quorvel help") << "quorvel" << "--help" << "Usage: quorvel [LIST.SWJ]\n";
        QTest::newRow("reader version") << "meridox.exe" << "--version" << "meridox (Quorvel) " QUORVEL_VERSION "\n";
        QTest::newRow("reader help") << "meridox.exe" << "--help" << "Usage: meridox.exe [--list | --search WORDS] [NAME.SWC | NAME.EXE]\n";
    }

    // Answered without a display: the environment has none of it.
    void information()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcess process;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        process.setProcessEnvironment(environment);
        process.start(BinDir() + QLatin1Char('/') + program, {option});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(out.startsWith(expected), qPrintable(out));
    }

    void oneTopicExecutable_isSmall()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("a sanitizer build's stub is instrumented, not the release stub that is measured");
#endif
        const qint64 stub = QFileInfo(BinDir() + QStringLiteral("/quorvela.bin")).size();
        QVERIFY2(stub > 0 && stub <= kMaxStubBytes, qPrintable(QString::number(stub)));

        const QString folder = QStringLiteral(QUORVEL_TEST_OUTPUT_DIR);
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        ScriptedDialogs dialogs;
        shell::AppState state;
        state.ProgramDirectory = BinDir() + QLatin1Char('/');
        state.WorkingDirectory = folder + QLatin1Char('/');
        // A whole list (record, store, compiled list, program), for people and CI to open.
        state.SettingsPath = QStringLiteral("ONETOPIC.SWJ");
        storage::OpenSettings(state);
        state.Settings.Program.Title = QStringLiteral("One Topic");
        storage::SaveSettings(state);
        WriteAll(folder + QStringLiteral("/ONETOPIC.SWR"), PageEntryText("Only page", 1, {"{\\rtf1 Hello}"}));
        const QString exe = publish::BuildExecutable(state);
        const qint64 size = QFileInfo(exe).size();
        QVERIFY2(size <= kMaxOneTopicExeBytes, qPrintable(QString::number(size)));
        // The stripped stub still finds the list appended to it.
        QProcess process;
        process.start(exe, {QStringLiteral("--list")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), QStringLiteral("One Topic\nOnly page\n"));
    }

    void listsFolder_programFolderWritable_isProgramFolder()
    {
        QCOMPARE(shell::ListsFolder(m_dir.path()), m_dir.path() + QLatin1Char('/'));
    }

    // /proc takes no new files, not even from the superuser.
    void listsFolder_programFolderReadOnly_isDocumentsFolderCreated()
    {
        const QString home = m_dir.filePath(QStringLiteral("home"));
        QDir().mkpath(home + QStringLiteral("/config"));
        WriteAll(home + QStringLiteral("/config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Lessons\"\n");
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", QString(home + QStringLiteral("/config")).toLocal8Bit());
        const QString folder = shell::ListsFolder(QStringLiteral("/proc"));
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(folder, home + QStringLiteral("/Lessons/"));
        QVERIFY(QFileInfo(folder).isDir());
    }

    void commandLineList_opensAsSelectDoes_data()
    {
        QTest::addColumn<QByteArray>("record"); // empty: a current record written here
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("errors");
        QTest::newRow("current list") << QByteArray() << "RIVERS" << 0 << 0;
        QTest::newRow("earlier version asks to convert") << QByteArray("\x04" "1.00") + QByteArray(300, ' ')
                                                         << "None Selected" << 1 << 0;
        // As with Select, the label names the list whose record could not be read.
        QTest::newRow("damaged record") << QByteArray(100, '\x04') << "RIVERS" << 0 << 1;
    }

    void commandLineList_opensAsSelectDoes()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, label);
        QFETCH(int, questions);
        QFETCH(int, errors);
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
        QString file = folder + QStringLiteral("/rivers.SWJ");
        if (record.isEmpty()) {
            writeList(folder, QStringLiteral("rivers.SWJ"));
        } else {
            QDir().mkpath(folder);
            WriteAll(file, record);
        }
        ScriptedDialogs dialogs;
        shell::AppState state;
        shell::InitialiseProcess(state, m_dir.path());
        shell::TQuorvelForm window(state);
        apps::CommandLineDialogs commandLine(dialogs, file);
        apps::OpenWhenStarted(window, commandLine, dialogs, file);
        window.show();
        auto* projectLabel = window.findChild<QLabel*>(QStringLiteral("ProjectLbl"));
        QTRY_VERIFY(dialogs.questions.size() + dialogs.errors.size() > 0 || projectLabel->text() != "None Selected");
        QCOMPARE(projectLabel->text(), label);
        QCOMPARE(dialogs.questions.size(), questions);
        QCOMPARE(dialogs.errors.size(), errors);
        // The file came from the command line; no chooser was shown for it.
        QVERIFY(dialogs.fileRequests.isEmpty());
        if (questions > 0)
            QVERIFY(dialogs.questions[0].contains(QStringLiteral("was created with an earlier version")));
    }

    void commandLineList_missingFile_programMessage()
    {
        ScriptedDialogs dialogs;
        shell::AppState state;
        shell::InitialiseProcess(state, m_dir.path());
        shell::TQuorvelForm window(state);
        const QString file = m_dir.filePath(QStringLiteral("GONE.SWJ"));
        apps::CommandLineDialogs commandLine(dialogs, file);
        apps::OpenWhenStarted(window, commandLine, dialogs, file);
        window.show();
        QTRY_COMPARE(dialogs.errors.size(), 1);
        QCOMPARE(dialogs.errors[0], QStringLiteral("The file ") + QDir::toNativeSeparators(file) +
                                        QStringLiteral(" was not found."));
        QVERIFY(!QFileInfo::exists(file));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
