// Covers executable creation (NAME.EXE = stub + NAME.SWC, the question, trying it, a missing
// stub) and the reader program's --list on executables and compiled lists made here.

#include "publish/compiler.h"
#include "publish/executable.h"
#include "publish/storetext.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

struct RunResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

RunResult Run(const QString& program, const QStringList& arguments, const QString& directory)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString BinDir()
{
    return qEnvironmentVariable("QUORVEL_BIN_DIR");
}

} // namespace

class TestExecutable : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_lists = 0;

    // A Study List in a fresh folder with a store of the given topics; the stub comes from
    // `programDirectory`.
    shell::AppState studyList(const QString& programDirectory, const QByteArray& store)
    {
        const QString folder = m_dir.filePath(QStringLiteral("list%1").arg(++m_lists));
        QDir().mkpath(folder);
        shell::AppState state;
        state.ProgramDirectory = programDirectory + QLatin1Char('/');
        state.WorkingDirectory = folder + QLatin1Char('/');
        state.SettingsPath = QStringLiteral("QUAKES.SWJ");
        state.TopicStorePath = QStringLiteral("QUAKES.SWR");
        state.Settings.Program.Title = QStringLiteral("Earthquakes");
        WriteAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWR"), store);
        return state;
    }

    QString fakeStubDirectory(const QByteArray& stub)
    {
        const QString folder = m_dir.filePath(QStringLiteral("program%1").arg(++m_lists));
        QDir().mkpath(folder);
        WriteAll(folder + QStringLiteral("/quorvela.bin"), stub);
        return folder;
    }

    static QByteArray TwoTopics()
    {
        return CommandEntryText("San Francisco 1906", 2, "SF.BMP,40") + PageEntryText("Plates", 1, {"{\\rtf1 plates}"});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(BinDir() + QStringLiteral("/quorvela.bin")), "QUORVEL_BIN_DIR has no quorvela.bin");
    }

    void createExecutable_isStubFollowedByCompiledList()
    {
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(false);
        shell::AppState state = studyList(BinDir(), TwoTopics());
        int tried = 0;
        publish::CreateExecutable(state, [&](const QString&) { ++tried; });

        const QByteArray stub = ReadAll(BinDir() + QStringLiteral("/quorvela.bin"));
        const QByteArray swc = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWC"));
        const QString exePath = state.WorkingDirectory + QStringLiteral("QUAKES.EXE");
        const QByteArray exe = ReadAll(exePath);
        QCOMPARE(exe.size(), stub.size() + swc.size());
        QVERIFY(exe == stub + swc);
        QCOMPARE(exe.mid(stub.size(), 5), QByteArray("\x04\x32\x2E\x32\x31"));
        QCOMPARE(exe.back(), swc.back());
        QVERIFY(QFileInfo(exePath).isExecutable());
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("The Executable Study List QUAKES.EXE has been created."
                                                               "\n\r\n\rDo you want to try it now?")});
        QCOMPARE(tried, 0);
        QVERIFY(!QFileInfo::exists(state.WorkingDirectory + QStringLiteral("QUAKES.$$$")));
    }

    void answerNo_leavesFilesUnchanged()
    {
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(false);
        shell::AppState state = studyList(fakeStubDirectory("STUB"), TwoTopics());
        const QByteArray storeBefore = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWR"));
        publish::CreateExecutable(state, [](const QString&) { QFAIL("tried after No"); });
        const QByteArray swc = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWC"));
        QCOMPARE(ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.EXE")), "STUB" + swc);
        QCOMPARE(ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWR")), storeBefore);
        QCOMPARE(QDir(state.WorkingDirectory).entryList(QDir::Files),
                 (QStringList{QStringLiteral("QUAKES.EXE"), QStringLiteral("QUAKES.SWC"), QStringLiteral("QUAKES.SWR")}));
    }

    void answerYes_triesTheProgram()
    {
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(true);
        shell::AppState state = studyList(fakeStubDirectory("STUB"), TwoTopics());
        QStringList tried;
        publish::CreateExecutable(state, [&](const QString& program) { tried.append(program); });
        QCOMPARE(tried, QStringList{state.WorkingDirectory + QStringLiteral("QUAKES.EXE")});
    }

    void createTwice_replacesFirst()
    {
        ScriptedDialogs dialogs;
        const QString programDirectory = fakeStubDirectory("FIRSTSTUB");
        shell::AppState state = studyList(programDirectory, TwoTopics());
        publish::BuildExecutable(state);
        const QByteArray first = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.EXE"));

        WriteAll(programDirectory + QStringLiteral("/quorvela.bin"), "NEW");
        WriteAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWR"), TwoTopics() + CommandEntryText("Kobe", 7, "K.AVI"));
        publish::BuildExecutable(state);

        const QByteArray swc = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWC"));
        const QByteArray second = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.EXE"));
        QCOMPARE(second, "NEW" + swc);
        QVERIFY(second.size() < first.size() + swc.size());
        QCOMPARE(second.count("\x03WR1"), 1);
    }

    void existingLowerCaseExe_isReplacedUnderItsName()
    {
        shell::AppState state = studyList(fakeStubDirectory("S"), TwoTopics());
        WriteAll(state.WorkingDirectory + QStringLiteral("quakes.exe"), "old program");
        publish::BuildExecutable(state);
        QVERIFY(!QFileInfo::exists(state.WorkingDirectory + QStringLiteral("QUAKES.EXE")));
        QVERIFY(ReadAll(state.WorkingDirectory + QStringLiteral("quakes.exe")).startsWith("S\x04"));
    }

    void missingStub_reportedAndNoExecutable()
    {
        ScriptedDialogs dialogs;
        const QString emptyProgramDirectory = m_dir.filePath(QStringLiteral("noprogram"));
        QDir().mkpath(emptyProgramDirectory);
        shell::AppState state = studyList(emptyProgramDirectory, TwoTopics());
        QString message;
        try {
            publish::CreateExecutable(state, [](const QString&) {});
        } catch (const shell::Error& error) {
            message = error.message();
        }
        QVERIFY2(message.contains(QStringLiteral("quorvela.bin")) && message.contains(QStringLiteral("was not found")),
                 qPrintable(message));
        QVERIFY(!QFileInfo::exists(state.WorkingDirectory + QStringLiteral("QUAKES.EXE")));
        QVERIFY(dialogs.questions.isEmpty());
    }

    void missingStub_keepsOlderExecutableUntouched()
    {
        const QString programDirectory = fakeStubDirectory("OLDSTUB");
        shell::AppState state = studyList(programDirectory, TwoTopics());
        publish::BuildExecutable(state);
        const QByteArray older = ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.EXE"));
        QVERIFY(QFile::remove(programDirectory + QStringLiteral("/quorvela.bin")));
        WriteAll(state.WorkingDirectory + QStringLiteral("QUAKES.SWR"), CommandEntryText("Other", 3, "O.WAV"));
        QVERIFY_THROWS_EXCEPTION(shell::Error, publish::BuildExecutable(state));
        QCOMPARE(ReadAll(state.WorkingDirectory + QStringLiteral("QUAKES.EXE")), older);
        QCOMPARE(QDir(state.WorkingDirectory).entryList(QDir::Files).size(), 3);
    }

    void unreadableStub_reported()
    {
        if (::geteuid() == 0)
            QSKIP("file permissions do not stop the superuser");
        const QString programDirectory = fakeStubDirectory("LOCKED");
        QFile::setPermissions(programDirectory + QStringLiteral("/quorvela.bin"), QFileDevice::WriteOwner);
        shell::AppState state = studyList(programDirectory, TwoTopics());
        QVERIFY_THROWS_EXCEPTION(shell::Error, publish::BuildExecutable(state));
        QVERIFY(!QFileInfo::exists(state.WorkingDirectory + QStringLiteral("QUAKES.EXE")));
    }

    void readerList_sameNamesFromExecutableAndCompiledList()
    {
        ScriptedDialogs dialogs;
        shell::AppState state = studyList(BinDir(), TwoTopics() + IntroEntryText({"Hi"}));
        const QString exe = publish::BuildExecutable(state);
        const QString expected = QStringLiteral("Earthquakes\nSan Francisco 1906\nPlates\n");

        const RunResult fromExe = Run(exe, {QStringLiteral("--list")}, m_dir.path());
        QCOMPARE(fromExe.err, QString());
        QCOMPARE(fromExe.exitCode, 0);
        QCOMPARE(fromExe.out, expected);

        const RunResult fromSwc = Run(BinDir() + QStringLiteral("/meridox.exe"),
                                      {QStringLiteral("--list"), state.WorkingDirectory + QStringLiteral("QUAKES.SWC")},
                                      m_dir.path());
        QCOMPARE(fromSwc.exitCode, 0);
        QCOMPARE(fromSwc.out, expected);

        // Handed to a reader: copied elsewhere on its own, it still finds its list.
        const QString elsewhere = m_dir.filePath(QStringLiteral("handed-out"));
        QDir().mkpath(elsewhere);
        QVERIFY(QFile::copy(exe, elsewhere + QStringLiteral("/QUAKES.EXE")));
        const RunResult copied = Run(elsewhere + QStringLiteral("/QUAKES.EXE"), {QStringLiteral("--list")}, elsewhere);
        QCOMPARE(copied.exitCode, 0);
        QCOMPARE(copied.out, expected);
    }

    void readerListAndSearch_alphabeticalList_inReadersOrder()
    {
        shell::AppState state =
            studyList(BinDir(), PageEntryText("zebra", 1, {"{\\rtf1 Stripes and lava.}"}) +
                                    PageEntryText("Topic 10", 1, {"{\\rtf1 Caf\\'e9 on the crater.}"}) +
                                    CommandEntryText("\xC9" "clair", 2, "ECLAIR.BMP,30") +
                                    PageEntryText("apple", 5, {"{\\rtf1 LAVA CAFE}"}) +
                                    PageEntryText("Topic 9", 1, {"{\\rtf1 Nothing here.}"}));
        state.Settings.AlphabeticalTopics = true;
        const QString swc = publish::CompileStudyList(state);

        const RunResult list = Run(BinDir() + QStringLiteral("/meridox.exe"), {QStringLiteral("--list"), swc}, m_dir.path());
        QCOMPARE(list.exitCode, 0);
        QCOMPARE(list.out, QString::fromUtf8("Earthquakes\napple\n\u00C9clair\nTopic 9\nTopic 10\nzebra\n"));
        const RunResult search = Run(BinDir() + QStringLiteral("/meridox.exe"),
                                     {QStringLiteral("--search"), QStringLiteral("caf\u00E9 lava"), swc}, m_dir.path());
        QCOMPARE(search.err, QString());
        QCOMPARE(search.out, QStringLiteral("apple\n"));
        const RunResult none = Run(BinDir() + QStringLiteral("/meridox.exe"),
                                   {QStringLiteral("--search"), QStringLiteral("geyser"), swc}, m_dir.path());
        QCOMPARE(none.exitCode, 0);
        QCOMPARE(none.out, QString());
    }

    void readerList_nothingAppended_failsWithMessage()
    {
        const RunResult result = Run(BinDir() + QStringLiteral("/quorvela.bin"), {QStringLiteral("--list")}, m_dir.path());
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("has no Study List appended")), qPrintable(result.err));
        QCOMPARE(result.out, QString());
    }

    void readerList_damagedFiles_failWithMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("is not a compiled Study List");
        QTest::newRow("text file") << QByteArray(6000, 't') << QStringLiteral("is not a compiled Study List");
        QTest::newRow("program with a cut list") << QByteArray() << QStringLiteral("is damaged");
    }

    void readerList_damagedFiles_failWithMessage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString file = m_dir.filePath(QStringLiteral("BAD.SWC"));
        if (QByteArrayView(QTest::currentDataTag()) == "program with a cut list") {
            shell::AppState state = studyList(BinDir(), TwoTopics());
            bytes = ReadAll(publish::BuildExecutable(state));
            bytes.chop(100);
        }
        WriteAll(file, bytes);
        const RunResult result = Run(BinDir() + QStringLiteral("/meridox.exe"), {QStringLiteral("--list"), file}, m_dir.path());
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(expected), qPrintable(result.err));
    }

    void readerList_missingFile_failsWithMessage()
    {
        const RunResult result = Run(BinDir() + QStringLiteral("/meridox.exe"),
                                     {QStringLiteral("--list"), m_dir.filePath(QStringLiteral("NOPE.SWC"))}, m_dir.path());
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("was not found")), qPrintable(result.err));
    }

    void reader_unknownOption_usage()
    {
        const RunResult result = Run(BinDir() + QStringLiteral("/meridox.exe"), {QStringLiteral("--bogus")}, m_dir.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.startsWith(QStringLiteral("Usage:")));
    }
};

QTEST_GUILESS_MAIN(TestExecutable)
#include "tst_executable.moc"
