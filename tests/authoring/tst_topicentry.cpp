// The entry dialog's rules without a window: loading a stored Topic, proposing files, the save
// rule and the store writes it leads to.
#include "authoring/topicentry.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace authoring;

namespace {

QStringList Command(const QString& name, const QString& type, const QString& command)
{
    return {name, QStringLiteral("source=HYPER"), QStringLiteral("type=") + type,
            QStringLiteral("command=") + command, QStringLiteral("]")};
}

QStringList StoreLines(const QString& path)
{
    return QString::fromUtf8(ReadAll(path)).split(QStringLiteral("\r\n"));
}

} // namespace

class TestTopicEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadCommand_splitsValueByType_data();
    void loadCommand_splitsValueByType();
    void loadPage_fillsRecordAndText();
    void loadHostile_neverFails_data();
    void loadHostile_neverFails();
    void keepOrPropose_keepsExistingInAnyCase();
    void keepOrPropose_proposesInPatternOrder();
    void decideSave_rules_data();
    void decideSave_rules();
    void writeTopic_appendsNewAtTheEnd();
    void writeTopic_replacesInPlaceUnderNewName();
    void writeTopic_pageReplacesCommandInPlace();
    void messages_areExact();
};

void TestTopicEntry::loadCommand_splitsValueByType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("graphic");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<int>("duration");
    QTest::addColumn<QString>("wave");
    QTest::addColumn<QString>("video");
    QTest::addColumn<QString>("midi");
    QTest::addColumn<QString>("program");

    QTest::newRow("graphic") << "2"
                             << "PIC.JPG,25" << 2 << "PIC.JPG"
                             << "" << 25 << ""
                             << ""
                             << ""
                             << "";
    QTest::newRow("graphic duration cut to five") << "2"
                                                  << "PIC.JPG,1234567" << 2 << "PIC.JPG"
                                                  << "" << 12345 << ""
                                                  << ""
                                                  << ""
                                                  << "";
    QTest::newRow("wave") << "3"
                          << "BELL.WAV" << 3 << ""
                          << "" << 0 << "BELL.WAV"
                          << ""
                          << ""
                          << "";
    QTest::newRow("program") << "4"
                             << "RUN.EXE,-q" << 4 << ""
                             << "" << 0 << ""
                             << ""
                             << ""
                             << "RUN.EXE,-q";
    QTest::newRow("graphic and sound") << "6"
                                       << "PIC.JPG,BELL.WAV,30" << 6 << "PIC.JPG"
                                       << "BELL.WAV" << 30 << ""
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("video") << "7"
                           << "FILM.AVI" << 7 << ""
                           << "" << 0 << ""
                           << "FILM.AVI"
                           << ""
                           << "";
    QTest::newRow("midi") << "8"
                          << "SONG.MID" << 8 << ""
                          << "" << 0 << ""
                          << ""
                          << "SONG.MID"
                          << "";
    QTest::newRow("windows program") << "9"
                                     << "notepad A.TXT" << 9 << ""
                                     << "" << 0 << ""
                                     << ""
                                     << ""
                                     << "notepad A.TXT";
    QTest::newRow("html") << "10"
                          << "PAGE.HTM" << 10 << ""
                          << "" << 0 << ""
                          << ""
                          << ""
                          << "PAGE.HTM";
    QTest::newRow("value with =") << "3"
                                  << "A=B.WAV" << 3 << ""
                                  << "" << 0 << "A=B.WAV"
                                  << ""
                                  << ""
                                  << "";
}

void TestTopicEntry::loadCommand_splitsValueByType()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    const TopicEntry entry = LoadTopicEntry(Command(QStringLiteral("Rocks"), type, value));
    QVERIFY(entry.editMode);
    QCOMPARE(entry.oldName, QStringLiteral("Rocks"));
    QTEST(entry.selectedType, "code");
    QTEST(entry.chosenType, "code");
    QCOMPARE(entry.commandValue, value);
    QTEST(entry.graphicFile, "graphic");
    QTEST(entry.soundFile, "sound");
    QTEST(entry.duration, "duration");
    QTEST(entry.waveFile, "wave");
    QTEST(entry.videoFile, "video");
    QTEST(entry.midiFile, "midi");
    QTEST(entry.programCommand, "program");
    QVERIFY(entry.pageText.isEmpty());
}

void TestTopicEntry::loadPage_fillsRecordAndText()
{
    const QStringList extracted = {"Page",
                                   "source=HYPER",
                                   "type=5",
                                   "displaytype=2",
                                   "fullscreen=false",
                                   "Sbackcolor=clRed",
                                   "SGraphic=SKY.BMP",
                                   "SWallpaper=",
                                   "VPBack=clYellow",
                                   "VPLeft=10",
                                   "VPTop=20",
                                   "VPWidth=300",
                                   "VPHeight=150",
                                   "RLTop=7",
                                   "RLLeft=9",
                                   "print=false",
                                   "text=",
                                   "{\\rtf1 Hot",
                                   "rocks}",
                                   "]"};
    const TopicEntry entry = LoadTopicEntry(extracted);
    QCOMPARE(entry.chosenType, 5);
    QCOMPARE(entry.selectedType, 5);
    QCOMPARE(entry.record.BackgroundKind, 2);
    QCOMPARE(entry.record.FullScreen, false);
    QCOMPARE(entry.record.BackgroundGraphic, QStringLiteral("SKY.BMP"));
    QCOMPARE(entry.record.TextLeft, 10);
    QCOMPARE(entry.record.TextHeight, 150);
    QCOMPARE(entry.record.RLTop, 1);
    QCOMPARE(entry.pageText, (QStringList{"{\\rtf1 Hot", "rocks}"}));
    QVERIFY(entry.commandValue.isEmpty());
}

void TestTopicEntry::loadHostile_neverFails_data()
{
    QTest::addColumn<QStringList>("extracted");
    QTest::addColumn<int>("code");
    QTest::newRow("empty") << QStringList() << 0;
    QTest::newRow("name only") << QStringList{"X"} << 0;
    QTest::newRow("no command line") << QStringList{"X", "source=HYPER", "type=2"} << 2;
    QTest::newRow("type not a number") << QStringList{"X", "source=HYPER", "type=zz", "command=A"} << 0;
    QTest::newRow("type without =") << QStringList{"X", "source=HYPER", "type", "command=A"} << 0;
    QTest::newRow("type cut to two characters")
        << QStringList{"X", "source=HYPER", "type=137", "command=A"} << 13;
    QTest::newRow("graphic without comma")
        << QStringList{"X", "source=HYPER", "type=2", "command=P.BMP"} << 2;
    QTest::newRow("sound with bad duration")
        << QStringList{"X", "source=HYPER", "type=6", "command=P.BMP,S.WAV,ten"} << 6;
    QTest::newRow("page without key lines") << QStringList{"X", "source=HYPER", "type=1"} << 1;
}

void TestTopicEntry::loadHostile_neverFails()
{
    QFETCH(QStringList, extracted);
    const TopicEntry entry = LoadTopicEntry(extracted);
    QTEST(entry.chosenType, "code");
    QCOMPARE(entry.selectedType, entry.chosenType);
    QVERIFY(entry.duration == 0);
    if (entry.chosenType == 2)
        QCOMPARE(entry.graphicFile, extracted.size() > 3 ? QStringLiteral("P.BMP") : QString());
    if (entry.chosenType == 6)
        QCOMPARE(entry.soundFile, QStringLiteral("S.WAV"));
}

void TestTopicEntry::keepOrPropose_keepsExistingInAnyCase()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("Bell.wav"), "RIFF");
    WriteAll(dir.filePath("A.WAV"), "RIFF");
    QCOMPARE(KeepOrPropose(dir.path(), QStringLiteral("BELL.WAV"), {"*.wav"}), QStringLiteral("BELL.WAV"));
    // A file that is not there is dropped for the first that matches.
    QCOMPARE(KeepOrPropose(dir.path(), QStringLiteral("GONE.WAV"), {"*.wav"}), QStringLiteral("A.WAV"));
}

void TestTopicEntry::keepOrPropose_proposesInPatternOrder()
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("a.bmp"), "BM");
    QCOMPARE(KeepOrPropose(dir.path(), QString(), {"*.jpg", "*.bmp"}), QStringLiteral("a.bmp"));
    WriteAll(dir.filePath("Z.JPG"), "JPEG");
    QCOMPARE(KeepOrPropose(dir.path(), QString(), {"*.jpg", "*.bmp"}), QStringLiteral("Z.JPG"));
    QCOMPARE(KeepOrPropose(dir.path(), QString(), {"*.avi"}), QString());
}

void TestTopicEntry::decideSave_rules_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    const int write = SaveDecision::Write;
    const int refuse = SaveDecision::Refuse;
    const int stay = SaveDecision::StayOpen;
    QTest::newRow("checked without content")
        << 2 << 0 << "" << false << refuse << "No data has been entered.";
    QTest::newRow("content of another type")
        << 7 << 3 << "A.WAV" << false << refuse << "No data has been entered.";
    QTest::newRow("empty page") << 1 << 1 << "" << false << refuse << "No Text information was entered.";
    QTest::newRow("page") << 5 << 5 << "" << true << write << "";
    QTest::newRow("command") << 3 << 3 << "A.WAV" << false << write << "";
    QTest::newRow("command without value") << 8 << 8 << "" << false << stay << "";
    QTest::newRow("html") << 10 << 10 << "P.HTM" << false << write << "";
    QTest::newRow("notes without file") << 13 << 13 << "" << false << write << "";
    QTest::newRow("foreign code") << 11 << 11 << "X" << false << stay << "";
}

void TestTopicEntry::decideSave_rules()
{
    QFETCH(int, selected);
    QFETCH(int, chosen);
    QFETCH(QString, command);
    QFETCH(bool, hasText);
    TopicEntry entry;
    entry.selectedType = selected;
    entry.chosenType = chosen;
    entry.commandValue = command;
    if (hasText)
        entry.pageText = {"{\\rtf1 x}"};
    const SaveDecision decision = DecideSave(entry, QStringLiteral("Rocks"));
    QTEST(int(decision.kind), "kind");
    QTEST(decision.message, "message");
    if (decision.kind == SaveDecision::Write) {
        QCOMPARE(decision.save.name, QStringLiteral("Rocks"));
        QCOMPARE(decision.save.type, chosen);
        QCOMPARE(decision.save.page, hasText);
        QCOMPARE(decision.save.command, hasText ? QString() : command);
        QVERIFY(!decision.save.replace);
    }
}

void TestTopicEntry::writeTopic_appendsNewAtTheEnd()
{
    QTemporaryDir dir;
    const QString store = dir.filePath("LIST.SWR");
    TopicSave save;
    save.name = QStringLiteral("One");
    save.type = 13;
    WriteTopic(store, save);
    save.name = QStringLiteral("Two");
    save.type = 3;
    save.command = QStringLiteral("A.WAV");
    WriteTopic(store, save);
    QCOMPARE(StoreLines(store), (QStringList{"[One]", "source=HYPER", "type=13", "command=", "]", "", "[Two]",
                                             "source=HYPER", "type=3", "command=A.WAV", "]", "", ""}));
}

void TestTopicEntry::writeTopic_replacesInPlaceUnderNewName()
{
    QTemporaryDir dir;
    const QString store = dir.filePath("LIST.SWR");
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        storage::AppendCommandEntry(store, QLatin1String(name), 3, storage::kTopicKind,
                                    QStringLiteral("A.WAV"));
    TopicSave save;
    save.replace = true;
    save.name = QStringLiteral("BETA");
    save.oldName = QStringLiteral("Beta");
    save.type = 7;
    save.command = QStringLiteral("FILM.AVI");
    WriteTopic(store, save);
    QStringList names;
    storage::ListEntryNames(names, store, storage::kTopicKind);
    QCOMPARE(names, (QStringList{"Alpha", "BETA", "Gamma"}));
    QStringList entry;
    QVERIFY(storage::ExtractEntry(store, QStringLiteral("beta"), storage::kTopicKind, entry));
    QCOMPARE(entry, (QStringList{"BETA", "source=HYPER", "type=7", "command=FILM.AVI", "]"}));
}

void TestTopicEntry::writeTopic_pageReplacesCommandInPlace()
{
    QTemporaryDir dir;
    const QString store = dir.filePath("LIST.SWR");
    storage::AppendCommandEntry(store, QStringLiteral("Alpha"), 3, storage::kTopicKind,
                                QStringLiteral("A.WAV"));
    storage::AppendCommandEntry(store, QStringLiteral("Omega"), 8, storage::kTopicKind,
                                QStringLiteral("S.MID"));
    TopicSave save;
    save.replace = true;
    save.page = true;
    save.name = save.oldName = QStringLiteral("Alpha");
    save.type = 1;
    save.record.FullScreen = false;
    save.record.BackgroundKind = 0;
    save.pageText = {"{\\rtf1 Hi}"};
    WriteTopic(store, save);
    const QStringList lines = StoreLines(store);
    QCOMPARE(lines.mid(0, 20), (QStringList{"[Alpha]",
                                            "source=HYPER",
                                            "type=1",
                                            "displaytype=0",
                                            "fullscreen=false",
                                            "Sbackcolor=clSilver",
                                            "SGraphic=",
                                            "SWallpaper=",
                                            "VPBack=clWhite",
                                            "VPLeft=120",
                                            "VPTop=80",
                                            "VPWidth=400",
                                            "VPHeight=200",
                                            "RLTop=1",
                                            "RLLeft=1",
                                            "print=false",
                                            "text=",
                                            "{\\rtf1 Hi}",
                                            "]",
                                            ""}));
    QCOMPARE(lines.value(20), QStringLiteral("[Omega]"));
}

void TestTopicEntry::messages_areExact()
{
    QCOMPARE(NoNameMessage(QStringLiteral("Menu Entry")),
             QStringLiteral("The Menu Entry has not been entered"));
    QCOMPARE(NameInUseMessage(QStringLiteral("Alpha")), QStringLiteral("The Link Alpha is already in use"));
}

QTEST_GUILESS_MAIN(TestTopicEntry)
#include "tst_topicentry.moc"
