// Covers the program run of Topic types 4 and 9: the command-line rules and the wait for the program.
#include "runtime/programrun.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"

#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using runtime::BuildProgramCommand;
using runtime::ProgramRunResult;
using runtime::RunProgramAndWait;

class TestProgramRun : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString dir() const { return m_dir.path() + QLatin1Char('/'); }

    // A shell script with the execute permission in the Study List directory.
    void writeScript(const QString& name, const QByteArray& body)
    {
        WriteAll(dir() + name, QByteArray("#!/bin/sh\n") + body);
        QFile::setPermissions(dir() + name, QFile::permissions(dir() + name) | QFileDevice::ExeOwner);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void build_followsTheRules_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("commandLine");

        QTest::newRow("type 4 with parameter")
            << 4 << "/usr/bin/prog,-x"
            << "/usr/bin/prog" << QStringList{"-x"} << "\"/usr/bin/prog\" -x";
        QTest::newRow("type 4 quoted parameters")
            << 4 << "/bin/ed,-s \"my file.txt\" b"
            << "/bin/ed" << QStringList{"-s", "my file.txt", "b"} << "\"/bin/ed\" -s \"my file.txt\" b";
        QTest::newRow("type 4 program with blank")
            << 4 << "/opt/my prog,a"
            << "/opt/my prog" << QStringList{"a"} << "\"/opt/my prog\" a";
        QTest::newRow("type 4 without comma")
            << 4 << "/bin/echo hello there"
            << "/bin/echo" << QStringList{"hello", "there"} << "/bin/echo hello there";
        QTest::newRow("type 4 only first comma splits")
            << 4 << "/bin/echo,a,b"
            << "/bin/echo" << QStringList{"a,b"} << "\"/bin/echo\" a,b";
        QTest::newRow("type 9 with file")
            << 9 << "/usr/bin/viewer notes.txt"
            << "/usr/bin/viewer" << QStringList{"@DIR@notes.txt"} << "\"/usr/bin/viewer\" @DIR@notes.txt";
        QTest::newRow("type 9 file with blanks and shell signs")
            << 9 << "/usr/bin/viewer my notes; rm -rf x"
            << "/usr/bin/viewer" << QStringList{"@DIR@my notes; rm -rf x"}
            << "\"/usr/bin/viewer\" @DIR@my notes; rm -rf x";
        QTest::newRow("type 9 without blank") << 9 << "/usr/bin/viewer"
                                              << "/usr/bin/viewer" << QStringList{} << "/usr/bin/viewer";
        QTest::newRow("type 4 shell signs stay words")
            << 4 << "/bin/echo,$(id) `x` | y"
            << "/bin/echo" << QStringList{"$(id)", "`x`", "|", "y"} << "\"/bin/echo\" $(id) `x` | y";
    }

    void build_followsTheRules()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        QFETCH(QString, commandLine);
        for (QString& argument : arguments)
            argument.replace(QStringLiteral("@DIR@"), dir());
        commandLine.replace(QStringLiteral("@DIR@"), dir());
        const runtime::ProgramCommand command = BuildProgramCommand(type, text, dir());
        QTEST(command.program, "program");
        QCOMPARE(command.arguments, arguments);
        QCOMPARE(command.commandLine, commandLine);
    }

    void build_bareProgramInStudyList_runsFromThereWhateverTheCase()
    {
        writeScript(QStringLiteral("tool.sh"), "exit 0\n");
        const auto command = BuildProgramCommand(4, QStringLiteral("TOOL.SH,x"), dir());
        QCOMPARE(command.program, dir() + QStringLiteral("tool.sh"));
        QCOMPARE(command.commandLine, QStringLiteral("\"TOOL.SH\" x"));
        // A bare name not in the list's directory is left for the search path.
        QCOMPARE(BuildProgramCommand(4, QStringLiteral("sleep,1"), dir()).program, QStringLiteral("sleep"));
    }

    void build_type9FileFoundWhateverTheCase()
    {
        WriteAll(dir() + QStringLiteral("Notes.TXT"), "n");
        const auto command = BuildProgramCommand(9, QStringLiteral("/usr/bin/viewer notes.txt"), dir());
        QCOMPARE(command.arguments, QStringList{dir() + QStringLiteral("Notes.TXT")});
    }

    void run_waitsForTheProgramWhileEventsFlow()
    {
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(50);
        QElapsedTimer clock;
        clock.start();
        const auto result =
            RunProgramAndWait(BuildProgramCommand(4, QStringLiteral("/bin/sleep,1"), dir()), dir());
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(result, ProgramRunResult::Finished);
        QVERIFY2(elapsed >= 900, qPrintable(QString::number(elapsed)));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    }

    void run_passesArgumentsWithoutShellInTheListDirectory()
    {
        writeScript(QStringLiteral("record.sh"),
                    "pwd > out.txt\nfor a in \"$@\"; do echo \"[$a]\" >> out.txt; done\n");
        const auto result = RunProgramAndWait(
            BuildProgramCommand(9, QStringLiteral("RECORD.SH a b;$(touch hacked)"), dir()), dir());
        QCOMPARE(result, ProgramRunResult::Finished);
        const QString out = QString::fromUtf8(ReadAll(dir() + QStringLiteral("out.txt")));
        const QString expected = QFileInfo(m_dir.path()).canonicalFilePath() + QStringLiteral("\n[") + dir() +
                                 QStringLiteral("a b;$(touch hacked)]\n");
        QCOMPARE(out, expected);
        QVERIFY(!QFile::exists(dir() + QStringLiteral("hacked")));
    }

    // A compiled list from a stranger: its program runs only after a Yes, and each program is
    // asked about once.
    void compiledList_asksOnceBeforeEachProgram()
    {
        writeScript(QStringLiteral("mark.sh"), "echo run >> marks.txt\n");
        ScriptedDialogs dialogs;
        shell::AppState state;
        state.WorkingDirectory = dir();
        state.AskBeforePrograms = true;
        runtime::WindowTopicScreens screens(state, nullptr);
        dialogs.yesNoAnswers.enqueue(false);
        screens.runProgram(4, QStringLiteral("mark.sh"));
        screens.runProgram(4, QStringLiteral("mark.sh"));
        QVERIFY(!QFile::exists(dir() + QStringLiteral("marks.txt")));
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(dialogs.questions[0].startsWith(QStringLiteral("This Study List wants to start the program ")));
        QVERIFY(dialogs.questions[0].contains(QStringLiteral("mark.sh")));
        dialogs.yesNoAnswers.enqueue(true);
        screens.runProgram(4, QStringLiteral("mark.sh,again"));
        screens.runProgram(4, QStringLiteral("mark.sh,again"));
        QCOMPARE(dialogs.questions.size(), 2);
        QCOMPARE(ReadAll(dir() + QStringLiteral("marks.txt")), QByteArray("run\nrun\n"));
        QFile::remove(dir() + QStringLiteral("marks.txt"));
    }

    void run_missingProgram_returnsAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(
            RunProgramAndWait(BuildProgramCommand(4, QStringLiteral("/no/such/program,x"), dir()), dir()),
            ProgramRunResult::NotStarted);
        QCOMPARE(
            RunProgramAndWait(BuildProgramCommand(9, QStringLiteral("NOSUCHPROGRAM file"), dir()), dir()),
            ProgramRunResult::NotStarted);
        QCOMPARE(RunProgramAndWait(BuildProgramCommand(4, QString(), dir()), dir()),
                 ProgramRunResult::NotStarted);
        QVERIFY(clock.elapsed() < 2000);
    }

    void run_fileWithoutExecutePermission_isPassedOver()
    {
        WriteAll(dir() + QStringLiteral("plain.sh"), "#!/bin/sh\nexit 0\n");
        QCOMPARE(RunProgramAndWait(BuildProgramCommand(4, QStringLiteral("plain.sh"), dir()), dir()),
                 ProgramRunResult::NotStarted);
    }

    void runProgramCommand_otherTypes_doNothing()
    {
        writeScript(QStringLiteral("mark.sh"), "touch marked\n");
        runtime::RunProgramCommand(2, QStringLiteral("mark.sh"), dir());
        QVERIFY(!QFile::exists(dir() + QStringLiteral("marked")));
        runtime::RunProgramCommand(4, QStringLiteral("mark.sh"), dir());
        QVERIFY(QFile::exists(dir() + QStringLiteral("marked")));
    }

    // Last: after the application is told to exit, no event loop of this process runs again.
    void run_applicationQuitting_endsTheWait()
    {
        QTimer::singleShot(200, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        QElapsedTimer clock;
        clock.start();
        const auto result =
            RunProgramAndWait(BuildProgramCommand(4, QStringLiteral("/bin/sleep,3"), dir()), dir());
        QCOMPARE(result, ProgramRunResult::Abandoned);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestProgramRun)
#include "tst_programrun.moc"
