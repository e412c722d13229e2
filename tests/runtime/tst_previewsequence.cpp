// Covers runtime/previewsequence and runtime/topicrunner: the order of the preview's screens, the
// plain topic list loop, the help file switch and its restoration, and the topic runner's table.
#include "runtime/previewsequence.h"
#include "runtime/topicrunner.h"
#include "shell/appstate.h"
#include "storage/topicsource.h"

#include <QtTest>
#include <stdexcept>

namespace {

// A Study List held in memory: entries by name (kind HYPER) in order, and an introduction.
class MemorySource : public storage::TopicSource
{
public:
    QList<QPair<QString, QStringList>> topics;
    QStringList intro;
    bool hasIntro = false;

    void add(const QString& name, int type, const QString& command = {})
    {
        QStringList lines{QLatin1Char('[') + name + QLatin1Char(']'), QStringLiteral("source=HYPER"),
                          QStringLiteral("type=") + QString::number(type)};
        if (!command.isEmpty())
            lines << QStringLiteral("command=") + command;
        lines << QStringLiteral("]");
        topics.append({name, lines});
    }

    QStringList names(const QString& kind) const override
    {
        QStringList result;
        if (kind == QStringLiteral("HYPER"))
            for (const auto& topic : topics)
                result << topic.first;
        return result;
    }
    bool entry(const QString& name, const QString& kind, QStringList& lines) const override
    {
        if (kind != QStringLiteral("HYPER"))
            return false;
        for (const auto& topic : topics) {
            if (topic.first.compare(name, Qt::CaseInsensitive) == 0) {
                lines = topic.second;
                return true;
            }
        }
        return false;
    }
    bool introText(QStringList& lines) const override
    {
        if (hasIntro)
            lines = intro;
        return hasIntro;
    }
};

// Writes down every screen in the order it was asked for. The topic list answers from a queue
// (-1 when it runs dry); throwOn names a screen that fails.
class RecordingScreens : public runtime::PreviewScreens
{
public:
    QStringList log;
    QList<int> listAnswers;
    QString throwOn;

    void note(const QString& what)
    {
        log << what;
        if (!throwOn.isEmpty() && what.startsWith(throwOn))
            throw std::runtime_error("screen failed");
    }

    void showBackdrop(const storage::ProgramSettings& program) override
    {
        note(QStringLiteral("backdrop ") + QString::number(program.BackgroundKind));
    }
    void hideBackdrop() override { log << QStringLiteral("hide backdrop"); }
    void setHelpFile(const QString& path) override { note(QStringLiteral("help ") + QFileInfo(path).fileName()); }
    void restoreHelpFile() override { log << QStringLiteral("own help"); }
    void runCommand(int type, const QString& commandLine, const QString& caption) override
    {
        note(QStringLiteral("command %1 %2 (%3)").arg(type).arg(commandLine, caption));
    }
    void openDocument(const QString& file) override { note(QStringLiteral("open ") + file); }
    void showAboutBox(const storage::AboutBoxSettings& box) override { note(QStringLiteral("about ") + box.Caption); }
    void showIntroduction(const storage::SettingsRecord&, const QStringList& text) override
    {
        note(QStringLiteral("intro ") + text.join(QLatin1Char('|')));
    }
    void showTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                       const storage::TopicSource&) override
    {
        note(QStringLiteral("menu ") + record.Program.Title + QStringLiteral(": ") + names.join(QLatin1Char(',')));
    }
    int showTopicList(const QStringList& names, int index, const storage::TopicSource&) override
    {
        note(QStringLiteral("list %1 at %2").arg(names.join(QLatin1Char(','))).arg(index));
        return listAnswers.isEmpty() ? -1 : listAnswers.takeFirst();
    }
    void runTopic(const QStringList& entry) override { note(QStringLiteral("run ") + entry.first()); }
};

class RecordingRunner : public runtime::TopicRunnerScreens
{
public:
    QStringList log;
    void showTextPage(const QStringList& entry) override { log << QStringLiteral("text page ") + entry.at(0); }
    void showDesignedPage(const QStringList& entry) override
    {
        log << QStringLiteral("designed page ") + entry.at(0);
    }
    void showMedia(int type, const QString& value, const QString& caption) override
    {
        log << QStringLiteral("media %1 %2 (%3)").arg(type).arg(value, caption);
    }
    void runProgram(int type, const QString& value) override
    {
        log << QStringLiteral("program %1 %2").arg(type).arg(value);
    }
    void openDocument(const QString& file) override { log << QStringLiteral("document ") + file; }
    void openNotes(const QString& file) override { log << QStringLiteral("notes ") + file; }
};

// Everything switched on: help file, both commands, about box at both ends, introduction.
storage::SettingsRecord FullRecord()
{
    storage::SettingsRecord record;
    record.Program.Title = QStringLiteral("Volcanoes");
    record.Program.BackgroundKind = 2;
    record.Program.UseHelpFile = true;
    record.Program.HelpFile = QStringLiteral("LIST.HLP");
    auto& p = record.Presentation;
    p.UseOpeningCommand = true;
    p.OpeningCommand.CommandType = 2;
    p.OpeningCommand.CommandLine = QStringLiteral("OPEN.BMP,30");
    p.UseAboutBox = true;
    p.AboutBox.ShowWhen = 2;
    p.AboutBox.Caption = QStringLiteral("About it");
    p.UseIntroduction = true;
    p.UseClosingCommand = true;
    p.ClosingCommand.CommandType = 3;
    p.ClosingCommand.CommandLine = QStringLiteral("BYE.WAV");
    return record;
}

} // namespace

class TestPreviewSequence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullSequence_runsElevenStepsInOrder();
    void menuScreenOff_showsOnlyPopUpList();
    void showWhenBoth_aboutBoxBeforeIntroductionAndAfterMenu();
    void showWhen_data();
    void showWhen();
    void aboutBoxOff_showsNone();
    void closingType10_opensItsFile();
    void openingType10_doesNothing();
    void commandTypes_data();
    void commandTypes();
    void emptyCommandLine_runsNothing();
    void helpFileOff_noSwitchButOwnHelpRestored();
    void throwingScreen_restoresHelpAndHidesBackdrop_data();
    void throwingScreen_restoresHelpAndHidesBackdrop();
    void topicList_returnsWithChosenTopicSelected();
    void topicList_missingEntrySkipped();
    void topicList_outOfRangeIndexEnds();
    void emptyStore_emptyMenu();

    void runner_typeCodes_data();
    void runner_typeCodes();
    void runner_bracketedName_setsTitleBetweenBrackets();
    void runner_plainName_keptWhole();
    void runner_shortEntries_doNothing();
    void typeCode_data();
    void typeCode();
    void commandValue_data();
    void commandValue();
};

void TestPreviewSequence::fullSequence_runsElevenStepsInOrder()
{
    MemorySource source;
    source.add(QStringLiteral("Lava"), 1);
    source.add(QStringLiteral("Ash"), 2, QStringLiteral("ASH.BMP"));
    source.hasIntro = true;
    source.intro = {QStringLiteral("{\\rtf1 Hello}")};
    RecordingScreens screens;
    shell::AppState state;
    state.WorkingDirectory = QStringLiteral("/nowhere/");
    runtime::PreviewSequence(FullRecord(), source, screens, state).run();

    QCOMPARE(state.CurrentTitle, QStringLiteral("Volcanoes"));
    const QStringList expected = {
        QStringLiteral("backdrop 2"),
        QStringLiteral("help LIST.HLP"),
        QStringLiteral("command 2 OPEN.BMP,30 (Volcanoes)"),
        QStringLiteral("about About it"),
        QStringLiteral("intro {\\rtf1 Hello}"),
        QStringLiteral("menu Volcanoes: Lava,Ash"),
        QStringLiteral("about About it"),
        QStringLiteral("command 3 BYE.WAV (Volcanoes)"),
        QStringLiteral("own help"),
        QStringLiteral("hide backdrop"),
    };
    QCOMPARE(screens.log, expected);
}

void TestPreviewSequence::menuScreenOff_showsOnlyPopUpList()
{
    MemorySource source;
    source.add(QStringLiteral("Lava"), 1);
    storage::SettingsRecord record = FullRecord();
    record.UseMenuScreen = false;
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QCOMPARE(screens.log, QStringList{QStringLiteral("list Lava at 0")});
    QCOMPARE(state.CurrentTitle, QStringLiteral("Volcanoes"));
}

void TestPreviewSequence::showWhenBoth_aboutBoxBeforeIntroductionAndAfterMenu()
{
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Presentation.UseOpeningCommand = false;
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    const qsizetype firstAbout = screens.log.indexOf(QStringLiteral("about About it"));
    const qsizetype lastAbout = screens.log.lastIndexOf(QStringLiteral("about About it"));
    const qsizetype intro = screens.log.indexOf(QStringLiteral("intro "));
    const qsizetype menu = screens.log.indexOf(QStringLiteral("menu Volcanoes: "));
    const qsizetype closing = screens.log.indexOf(QStringLiteral("command 3 BYE.WAV (Volcanoes)"));
    QVERIFY(firstAbout >= 0 && intro >= 0 && menu >= 0 && closing >= 0);
    QVERIFY(firstAbout < intro);
    QVERIFY(menu < lastAbout);
    QVERIFY(lastAbout < closing);
    QCOMPARE(screens.log.count(QStringLiteral("about About it")), 2);
}

void TestPreviewSequence::showWhen_data()
{
    QTest::addColumn<int>("showWhen");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<bool>("atEnd");
    QTest::newRow("0 starts") << 0 << true << false;
    QTest::newRow("1 ends") << 1 << false << true;
    QTest::newRow("2 both") << 2 << true << true;
    QTest::newRow("3 neither") << 3 << false << false;
    QTest::newRow("out of range") << 9 << false << false;
}

void TestPreviewSequence::showWhen()
{
    QFETCH(int, showWhen);
    QFETCH(bool, atStart);
    QFETCH(bool, atEnd);
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Presentation.AboutBox.ShowWhen = qint16(showWhen);
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    const qsizetype menu = screens.log.indexOf(QStringLiteral("menu Volcanoes: "));
    QCOMPARE(screens.log.indexOf(QStringLiteral("about About it")) >= 0 &&
                 screens.log.indexOf(QStringLiteral("about About it")) < menu,
             atStart);
    QCOMPARE(screens.log.lastIndexOf(QStringLiteral("about About it")) > menu, atEnd);
}

void TestPreviewSequence::aboutBoxOff_showsNone()
{
    for (qint16 showWhen : {0, 1, 2, 3}) {
        MemorySource source;
        storage::SettingsRecord record = FullRecord();
        record.Presentation.UseAboutBox = false;
        record.Presentation.AboutBox.ShowWhen = showWhen;
        RecordingScreens screens;
        shell::AppState state;
        runtime::PreviewSequence(record, source, screens, state).run();
        QVERIFY2(screens.log.filter(QStringLiteral("about")).isEmpty(), qPrintable(screens.log.join(QLatin1Char(';'))));
    }
}

void TestPreviewSequence::closingType10_opensItsFile()
{
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Presentation.ClosingCommand.CommandType = 10;
    record.Presentation.ClosingCommand.CommandLine = QStringLiteral("BYE.HTM");
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QCOMPARE(screens.log.mid(screens.log.size() - 3),
             (QStringList{QStringLiteral("open BYE.HTM"), QStringLiteral("own help"), QStringLiteral("hide backdrop")}));
}

void TestPreviewSequence::openingType10_doesNothing()
{
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Presentation.OpeningCommand.CommandType = 10;
    record.Presentation.OpeningCommand.CommandLine = QStringLiteral("HELLO.HTM");
    record.Presentation.UseClosingCommand = false;
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QVERIFY(screens.log.filter(QStringLiteral("HELLO.HTM")).isEmpty());
    QVERIFY(screens.log.filter(QStringLiteral("command")).isEmpty());
    QCOMPARE(screens.log.at(1), QStringLiteral("help LIST.HLP"));
    QCOMPARE(screens.log.at(2), QStringLiteral("about About it"));
}

void TestPreviewSequence::commandTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::newRow("2 graphic") << 2 << "command 2 X (Volcanoes)" << "command 2 X (Volcanoes)";
    QTest::newRow("3 voice") << 3 << "command 3 X (Volcanoes)" << "command 3 X (Volcanoes)";
    QTest::newRow("6 graphic and sound") << 6 << "command 6 X (Volcanoes)" << "command 6 X (Volcanoes)";
    QTest::newRow("4 program") << 4 << "command 4 X (Volcanoes)" << "command 4 X (Volcanoes)";
    QTest::newRow("9 program with file") << 9 << "command 9 X (Volcanoes)" << "command 9 X (Volcanoes)";
    QTest::newRow("0 reads as 4") << 0 << "command 4 X (Volcanoes)" << "command 4 X (Volcanoes)";
    QTest::newRow("10 document") << 10 << "" << "open X";
    QTest::newRow("7 video is no command") << 7 << "" << "";
    QTest::newRow("13 notes is no command") << 13 << "" << "";
}

void TestPreviewSequence::commandTypes()
{
    QFETCH(int, type);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    for (bool isClosing : {false, true}) {
        MemorySource source;
        storage::SettingsRecord record;
        record.Program.Title = QStringLiteral("Volcanoes");
        storage::CommandSettings command;
        command.CommandType = qint16(type);
        command.CommandLine = QStringLiteral("X");
        if (isClosing) {
            record.Presentation.UseClosingCommand = true;
            record.Presentation.ClosingCommand = command;
        } else {
            record.Presentation.UseOpeningCommand = true;
            record.Presentation.OpeningCommand = command;
        }
        RecordingScreens screens;
        shell::AppState state;
        runtime::PreviewSequence(record, source, screens, state).run();
        const QString expected = isClosing ? closing : opening;
        QStringList commands = screens.log.filter(QRegularExpression(QStringLiteral("^(command|open)")));
        QCOMPARE(commands, expected.isEmpty() ? QStringList() : QStringList{expected});
    }
}

void TestPreviewSequence::emptyCommandLine_runsNothing()
{
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Presentation.OpeningCommand.CommandLine.clear();
    record.Presentation.ClosingCommand.CommandLine.clear();
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QVERIFY(screens.log.filter(QStringLiteral("command")).isEmpty());
}

void TestPreviewSequence::helpFileOff_noSwitchButOwnHelpRestored()
{
    MemorySource source;
    storage::SettingsRecord record = FullRecord();
    record.Program.UseHelpFile = false;
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QVERIFY(screens.log.filter(QStringLiteral("help LIST")).isEmpty());
    QCOMPARE(screens.log.count(QStringLiteral("own help")), 1);
}

void TestPreviewSequence::throwingScreen_restoresHelpAndHidesBackdrop_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("opening command") << "command 2";
    QTest::newRow("about box") << "about";
    QTest::newRow("introduction") << "intro";
    QTest::newRow("topic menu") << "menu";
    QTest::newRow("closing command") << "command 3";
}

void TestPreviewSequence::throwingScreen_restoresHelpAndHidesBackdrop()
{
    QFETCH(QString, failing);
    MemorySource source;
    RecordingScreens screens;
    screens.throwOn = failing;
    shell::AppState state;
    runtime::PreviewSequence sequence(FullRecord(), source, screens, state);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sequence.run());
    QVERIFY(screens.log.last(2) == (QStringList{QStringLiteral("own help"), QStringLiteral("hide backdrop")}));
    QCOMPARE(screens.log.count(QStringLiteral("own help")), 1);
    QVERIFY(screens.log.at(screens.log.size() - 3).startsWith(failing));
}

void TestPreviewSequence::topicList_returnsWithChosenTopicSelected()
{
    MemorySource source;
    source.add(QStringLiteral("Lava"), 1);
    source.add(QStringLiteral("Ash"), 2, QStringLiteral("ASH.BMP"));
    source.add(QStringLiteral("Steam"), 3, QStringLiteral("HISS.WAV"));
    storage::SettingsRecord record = FullRecord();
    record.UseMenuScreen = false;
    RecordingScreens screens;
    screens.listAnswers = {2, 1};
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    const QStringList expected = {
        QStringLiteral("list Lava,Ash,Steam at 0"), QStringLiteral("run [Steam]"),
        QStringLiteral("list Lava,Ash,Steam at 2"), QStringLiteral("run [Ash]"),
        QStringLiteral("list Lava,Ash,Steam at 1"),
    };
    QCOMPARE(screens.log, expected);
}

void TestPreviewSequence::topicList_missingEntrySkipped()
{
    // The list was read before the entry went away.
    class VanishingSource : public MemorySource
    {
    public:
        bool entry(const QString&, const QString&, QStringList&) const override { return false; }
    } source;
    source.add(QStringLiteral("Gone"), 1);
    storage::SettingsRecord record;
    record.UseMenuScreen = false;
    RecordingScreens screens;
    screens.listAnswers = {0};
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QCOMPARE(screens.log, (QStringList{QStringLiteral("list Gone at 0"), QStringLiteral("list Gone at 0")}));
}

void TestPreviewSequence::topicList_outOfRangeIndexEnds()
{
    MemorySource source;
    source.add(QStringLiteral("Lava"), 1);
    storage::SettingsRecord record;
    record.UseMenuScreen = false;
    RecordingScreens screens;
    screens.listAnswers = {5, 0};
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QCOMPARE(screens.log, QStringList{QStringLiteral("list Lava at 0")});
}

void TestPreviewSequence::emptyStore_emptyMenu()
{
    MemorySource source;
    storage::SettingsRecord record;
    record.Program.Title = QStringLiteral("Empty");
    RecordingScreens screens;
    shell::AppState state;
    runtime::PreviewSequence(record, source, screens, state).run();
    QCOMPARE(screens.log, (QStringList{QStringLiteral("backdrop 1"), QStringLiteral("menu Empty: "),
                                       QStringLiteral("own help"), QStringLiteral("hide backdrop")}));
}

void TestPreviewSequence::runner_typeCodes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("action");
    QTest::newRow("1 text page") << 1 << "text page [Lava]";
    QTest::newRow("2 graphic") << 2 << "media 2 LAVA.BMP,50 (Lava)";
    QTest::newRow("3 voice") << 3 << "media 3 LAVA.BMP,50 (Lava)";
    QTest::newRow("4 program") << 4 << "program 4 LAVA.BMP,50";
    QTest::newRow("5 designed page") << 5 << "designed page [Lava]";
    QTest::newRow("6 graphic and sound") << 6 << "media 6 LAVA.BMP,50 (Lava)";
    QTest::newRow("7 video") << 7 << "media 7 LAVA.BMP,50 (Lava)";
    QTest::newRow("8 midi") << 8 << "media 8 LAVA.BMP,50 (Lava)";
    QTest::newRow("9 program with file") << 9 << "program 9 LAVA.BMP,50";
    QTest::newRow("10 document") << 10 << "document LAVA.BMP,50";
    QTest::newRow("11 nothing") << 11 << "";
    QTest::newRow("12 nothing") << 12 << "";
    QTest::newRow("13 notes") << 13 << "notes LAVA.BMP,50";
    QTest::newRow("0 nothing") << 0 << "";
    QTest::newRow("99 nothing") << 99 << "";
}

void TestPreviewSequence::runner_typeCodes()
{
    QFETCH(int, type);
    QFETCH(QString, action);
    const QStringList entry = {QStringLiteral("[Lava]"), QStringLiteral("source=HYPER"),
                               QStringLiteral("type=") + QString::number(type),
                               QStringLiteral("command=LAVA.BMP,50"), QStringLiteral("]")};
    RecordingRunner runner;
    shell::AppState state;
    runtime::RunTopic(entry, runner, state);
    QCOMPARE(runner.log, action.isEmpty() ? QStringList() : QStringList{action});
    QCOMPARE(state.CurrentTopicTitle, QStringLiteral("Lava"));
}

void TestPreviewSequence::runner_bracketedName_setsTitleBetweenBrackets()
{
    RecordingRunner runner;
    shell::AppState state;
    runtime::RunTopic({QStringLiteral("[Mount [St] Helens]"), QStringLiteral("HYPER"), QStringLiteral("type=2"),
                       QStringLiteral("command=A.BMP,10")},
                      runner, state);
    QCOMPARE(state.CurrentTopicTitle, QStringLiteral("Mount [St] Helens"));
    QCOMPARE(runner.log, QStringList{QStringLiteral("media 2 A.BMP,10 (Mount [St] Helens)")});
}

void TestPreviewSequence::runner_plainName_keptWhole()
{
    RecordingRunner runner;
    shell::AppState state;
    runtime::RunTopic({QStringLiteral("Etna]"), QStringLiteral("source=HYPER"), QStringLiteral("type=3"),
                       QStringLiteral("command=E.WAV")},
                      runner, state);
    QCOMPARE(state.CurrentTopicTitle, QStringLiteral("Etna]"));
}

void TestPreviewSequence::runner_shortEntries_doNothing()
{
    RecordingRunner runner;
    shell::AppState state;
    state.CurrentTopicTitle = QStringLiteral("before");
    runtime::RunTopic({}, runner, state);
    QCOMPARE(state.CurrentTopicTitle, QString());
    runtime::RunTopic({QStringLiteral("[")}, runner, state);
    QCOMPARE(state.CurrentTopicTitle, QString());
    runtime::RunTopic({QStringLiteral("[A]"), QStringLiteral("source=HYPER")}, runner, state);
    QCOMPARE(state.CurrentTopicTitle, QStringLiteral("A"));
    QVERIFY(runner.log.isEmpty());
    // A command Topic without its command line still runs, with nothing to show.
    runtime::RunTopic({QStringLiteral("[A]"), QStringLiteral("source=HYPER"), QStringLiteral("type=10")}, runner,
                      state);
    QCOMPARE(runner.log, QStringList{QStringLiteral("document ")});
}

void TestPreviewSequence::typeCode_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("code");
    QTest::newRow("one digit") << "type=5" << 5;
    QTest::newRow("two digits") << "type=13" << 13;
    QTest::newRow("only two characters read") << "type=105" << 10;
    QTest::newRow("no equals") << "type 5" << 0;
    QTest::newRow("not a number") << "type=x" << 0;
    QTest::newRow("empty value") << "type=" << 0;
    QTest::newRow("two characters that are no number") << "type=1=2" << 0;
    QTest::newRow("leading blank") << "type= 7" << 7;
}

void TestPreviewSequence::typeCode()
{
    QFETCH(QString, line);
    QFETCH(int, code);
    QCOMPARE(runtime::TopicTypeCode({QStringLiteral("[a]"), QStringLiteral("source=HYPER"), line}), code);
}

void TestPreviewSequence::commandValue_data()
{
    QTest::addColumn<QStringList>("entry");
    QTest::addColumn<QString>("value");
    QTest::newRow("after first equals") << QStringList{"[a]", "s", "type=4", "command=CALC.EXE,x=1"} << "CALC.EXE,x=1";
    QTest::newRow("no equals, whole line") << QStringList{"[a]", "s", "type=4", "CALC.EXE"} << "CALC.EXE";
    QTest::newRow("no line 3") << QStringList{"[a]", "s", "type=4"} << "";
}

void TestPreviewSequence::commandValue()
{
    QFETCH(QStringList, entry);
    QFETCH(QString, value);
    QCOMPARE(runtime::TopicCommandValue(entry), value);
}

QTEST_GUILESS_MAIN(TestPreviewSequence)
#include "tst_previewsequence.moc"
