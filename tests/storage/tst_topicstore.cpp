// The topic store format: entry writers byte for byte, colour text, page entries, the
// introduction, conversion of the earlier layout, and rewrites that fail without losing anything.
#include "shell/error.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "storefixtures.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace storage;

namespace {

const QByteArray kDefaultPageKeys =
    "displaytype=0\r\nfullscreen=true\r\nSbackcolor=clSilver\r\nSGraphic=\r\n"
    "SWallpaper=\r\nVPBack=clWhite\r\nVPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\n"
    "VPHeight=200\r\nRLTop=1\r\nRLLeft=1\r\nprint=false\r\n";

TopicDisplayRecord CustomRecord()
{
    TopicDisplayRecord record;
    record.TextWindowColor = 1;
    record.FullScreen = false;
    record.BackgroundKind = 3;
    record.BackgroundColor = 0x00123456;
    record.BackgroundGraphic = QStringLiteral("SKY.BMP");
    record.BackgroundTile = QStringLiteral("TILE.BMP");
    record.TextLeft = 10;
    record.TextTop = -4;
    record.TextWidth = 620;
    record.TextHeight = 470;
    record.Print = true;
    return record;
}

QStringList PageText()
{
    return {QStringLiteral("{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0 Arial;}}"), QStringLiteral("\\f0 Hot rock"),
            QStringLiteral("\\par }")};
}

} // namespace

class TestTopicStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
    }
    void cleanup() { m_dir.reset(); }

    void appendCommandEntry_writesExactBytes()
    {
        AppendCommandEntry(m_store, QStringLiteral("Volcanoes"), 2, kTopicKind, QStringLiteral("PIC.BMP,30"));
        QCOMPARE(ReadAll(m_store),
                 QByteArray("[Volcanoes]\r\nsource=HYPER\r\ntype=2\r\ncommand=PIC.BMP,30\r\n]\r\n\r\n"));
    }

    void appendPageEntry_defaultRecord_writesExactBytes()
    {
        AppendPageEntry(m_store, QStringLiteral("Lava"), 1, kTopicKind, PageText(), TopicDisplayRecord());
        QCOMPARE(ReadAll(m_store), QByteArray("[Lava]\r\nsource=HYPER\r\ntype=1\r\n" + kDefaultPageKeys +
                                              "text=\r\n{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0 Arial;}}\r\n"
                                              "\\f0 Hot rock\r\n\\par }\r\n]\r\n\r\n"));
    }

    void appendPageEntry_customRecord_writesEveryKey()
    {
        AppendPageEntry(m_store, QStringLiteral("Sky"), 5, kTopicKind, {}, CustomRecord());
        QCOMPARE(ReadAll(m_store),
                 QByteArray(
                     "[Sky]\r\nsource=HYPER\r\ntype=5\r\ndisplaytype=3\r\nfullscreen=false\r\n"
                     "Sbackcolor=$00123456\r\nSGraphic=SKY.BMP\r\nSWallpaper=TILE.BMP\r\nVPBack=$00000001\r\n"
                     "VPLeft=10\r\nVPTop=-4\r\nVPWidth=620\r\nVPHeight=470\r\nRLTop=1\r\nRLLeft=1\r\n"
                     "print=true\r\ntext=\r\n]\r\n\r\n"));
    }

    void textOnlyPage_carriesBackgroundKindZero()
    {
        AppendPageEntry(m_store, QStringLiteral("Text"), 1, kTopicKind, {}, CustomRecord());
        AppendPageEntry(m_store, QStringLiteral("Screen"), 5, kTopicKind, {}, TopicDisplayRecord());
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Text"), kTopicKind, entry));
        QCOMPARE(entry.value(3), QStringLiteral("displaytype=0"));
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Screen"), kTopicKind, entry));
        QCOMPARE(entry.value(3), QStringLiteral("displaytype=1"));
    }

    void appendEntry_isWrittenInWindows1252WhereItFits()
    {
        AppendCommandEntry(m_store, QStringLiteral("Café"), 3, kTopicKind, QStringLiteral("ÉTÉ.WAV"));
        AppendCommandEntry(m_store, QStringLiteral("Γεωγραφία"), 3, kTopicKind, QStringLiteral("地理.WAV"));
        const QByteArray bytes = ReadAll(m_store);
        QVERIFY(bytes.startsWith("[Caf\xe9]\r\n"));
        QVERIFY(bytes.contains("command=\xc9T\xc9.WAV\r\n"));
        QVERIFY(bytes.contains(QStringLiteral("[Γεωγραφία]\r\n").toUtf8()));
        QStringList names;
        ListEntryNames(names, m_store, kTopicKind);
        QCOMPARE(names, (QStringList{QStringLiteral("Café"), QStringLiteral("Γεωγραφία")}));
    }

    void appendEntry_comesLast()
    {
        AppendCommandEntry(m_store, QStringLiteral("A"), 3, kTopicKind, QStringLiteral("A.WAV"));
        AppendPageEntry(m_store, QStringLiteral("B"), 1, kTopicKind, PageText(), TopicDisplayRecord());
        AppendCommandEntry(m_store, QStringLiteral("C"), 7, kTopicKind, QStringLiteral("C.AVI"));
        QStringList names;
        ListEntryNames(names, m_store, kTopicKind);
        QCOMPARE(names, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        QVERIFY(ReadAll(m_store).endsWith(CommandBlock("C", 7, "C.AVI")));
    }

    void appendEntry_toStoreWithoutFinalLineEnd_startsOnNewLine()
    {
        WriteAll(m_store, "[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n]");
        AppendCommandEntry(m_store, QStringLiteral("B"), 3, kTopicKind, QStringLiteral("B.WAV"));
        QCOMPARE(ReadAll(m_store), QByteArray("[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n]\r\n" +
                                              CommandBlock("B", 3, "B.WAV")));
    }

    void pageTextLineStartingWithBracket_cannotSplitEntry()
    {
        const QStringList text{QStringLiteral("]"), QStringLiteral("[not a head]"), QStringLiteral("plain")};
        AppendPageEntry(m_store, QStringLiteral("P"), 1, kTopicKind, text, TopicDisplayRecord());
        AppendCommandEntry(m_store, QStringLiteral("Q"), 3, kTopicKind, QStringLiteral("Q.WAV"));
        QStringList names;
        ListEntryNames(names, m_store, kTopicKind);
        QCOMPARE(names, (QStringList{QStringLiteral("P"), QStringLiteral("Q")}));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("P"), kTopicKind, entry));
        TopicDisplayRecord record;
        QStringList pageText;
        ParsePageEntry(entry, record, pageText);
        QCOMPARE(pageText, (QStringList{QStringLiteral(" ]"), QStringLiteral(" [not a head]"),
                                        QStringLiteral("plain")}));
    }

    void colorToText_data()
    {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("value 1 is not an identifier") << quint32(1) << QStringLiteral("$00000001");
        QTest::newRow("silver") << quint32(0xC0C0C0) << QStringLiteral("clSilver");
        QTest::newRow("black") << quint32(0) << QStringLiteral("clBlack");
        QTest::newRow("white") << quint32(0xFFFFFF) << QStringLiteral("clWhite");
        QTest::newRow("red is 0x0000FF") << quint32(0x0000FF) << QStringLiteral("clRed");
        QTest::newRow("system colour 0") << quint32(0x80000000) << QStringLiteral("clScrollBar");
        QTest::newRow("system colour 24") << quint32(0x80000018) << QStringLiteral("clInfoBk");
        QTest::newRow("system colour 25 has no name") << quint32(0x80000019) << QStringLiteral("$80000019");
        QTest::newRow("none") << quint32(0x1FFFFFFF) << QStringLiteral("clNone");
        QTest::newRow("hex digits upper case") << quint32(0x00ABCDEF) << QStringLiteral("$00ABCDEF");
        QTest::newRow("all bits") << quint32(0xFFFFFFFF) << QStringLiteral("$FFFFFFFF");
    }
    void colorToText()
    {
        QFETCH(quint32, color);
        QFETCH(QString, text);
        QCOMPARE(ColorToText(color), text);
        quint32 back = 0x5A5A5A5A;
        QVERIFY(TextToColor(text, back));
        QCOMPARE(back, color);
    }

    void textToColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<quint32>("color");
        QTest::newRow("identifier") << QStringLiteral("clSilver") << true << quint32(0xC0C0C0);
        QTest::newRow("identifier upper case") << QStringLiteral("CLSILVER") << true << quint32(0xC0C0C0);
        QTest::newRow("identifier lower case") << QStringLiteral("clinfobk") << true << quint32(0x80000018);
        QTest::newRow("hex") << QStringLiteral("$00000001") << true << quint32(1);
        QTest::newRow("short lower hex") << QStringLiteral("$ff") << true << quint32(0xFF);
        QTest::newRow("decimal") << QStringLiteral("16777215") << true << quint32(0xFFFFFF);
        QTest::newRow("negative decimal") << QStringLiteral("-1") << true << quint32(0xFFFFFFFF);
        QTest::newRow("blanks around") << QStringLiteral(" 255 ") << true << quint32(255);
        QTest::newRow("empty") << QString() << false << quint32(0);
        QTest::newRow("unknown identifier") << QStringLiteral("clPink") << false << quint32(0);
        QTest::newRow("dollar alone") << QStringLiteral("$") << false << quint32(0);
        QTest::newRow("bad hex digit") << QStringLiteral("$12G4") << false << quint32(0);
        QTest::newRow("signed hex") << QStringLiteral("$-1") << false << quint32(0);
        QTest::newRow("hex too large") << QStringLiteral("$1FFFFFFFF") << false << quint32(0);
        QTest::newRow("decimal too large") << QStringLiteral("4294967296") << false << quint32(0);
        QTest::newRow("words") << QStringLiteral("red") << false << quint32(0);
    }
    void textToColor()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(quint32, color);
        quint32 value = 0x5A5A5A5A;
        QCOMPARE(TextToColor(text, value), ok);
        QCOMPARE(value, ok ? color : quint32(0x5A5A5A5A));
    }

    void colorIdentifiers_allFortyTwoRoundTrip()
    {
        const QStringList names{"clBlack",        "clMaroon",      "clGreen",         "clOlive",
                                "clNavy",         "clPurple",      "clTeal",          "clGray",
                                "clSilver",       "clRed",         "clLime",          "clYellow",
                                "clBlue",         "clFuchsia",     "clAqua",          "clWhite",
                                "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
                                "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
                                "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
                                "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
                                "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
                                "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
                                "clInfoBk",       "clNone"};
        QCOMPARE(names.size(), 42);
        QSet<quint32> values;
        for (const QString& name : names) {
            quint32 value = 0;
            QVERIFY2(TextToColor(name, value), qPrintable(name));
            QCOMPARE(ColorToText(value), name);
            values.insert(value);
        }
        QCOMPARE(values.size(), 42);
    }

    void parsePageEntry_fillsRecordByIndex()
    {
        AppendPageEntry(m_store, QStringLiteral("Sky"), 5, kTopicKind, PageText(), CustomRecord());
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("sky"), kTopicKind, entry));
        TopicDisplayRecord record;
        QStringList text{QStringLiteral("kept")};
        ParsePageEntry(entry, record, text);
        QCOMPARE(record, CustomRecord());
        QCOMPARE(text, QStringList{QStringLiteral("kept")} + PageText());
    }

    void parsePageEntry_keepsCarriedValues_andRewritesThemAsOne()
    {
        QByteArray stored =
            "[P]\r\nsource=HYPER\r\ntype=1\r\n" + kDefaultPageKeys + "text=\r\nline\r\n]\r\n\r\n";
        stored.replace("RLTop=1", "RLTop=7").replace("RLLeft=1", "RLLeft=-3");
        WriteAll(m_store, stored);
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("P"), kTopicKind, entry));
        QCOMPARE(entry.value(13), QStringLiteral("RLTop=7"));
        TopicDisplayRecord record;
        QStringList text;
        ParsePageEntry(entry, record, text);
        QCOMPARE(record.RLTop, 1);
        QCOMPARE(record.RLLeft, 1);
        ReplacePageEntry(m_store, QStringLiteral("P"), QStringLiteral("P"), kTopicKind, text, record, 1);
        const QByteArray rewritten = ReadAll(m_store);
        QVERIFY(rewritten.contains("\r\nRLTop=1\r\nRLLeft=1\r\n"));
        QCOMPARE(rewritten, QByteArray("[P]\r\nsource=HYPER\r\ntype=1\r\n" + kDefaultPageKeys +
                                       "text=\r\nline\r\n]\r\n\r\n"));
    }

    void parsePageEntry_shortOrDamagedEntry_keepsDefaults()
    {
        TopicDisplayRecord record;
        QStringList text;
        ParsePageEntry({QStringLiteral("P"), QStringLiteral("source=HYPER"), QStringLiteral("type=1"),
                        QStringLiteral("displaytype=two"), QStringLiteral("fullscreen=false"),
                        QStringLiteral("Sbackcolor=clPink")},
                       record, text);
        QCOMPARE(record.BackgroundKind, 1);
        QCOMPARE(record.FullScreen, false);
        QCOMPARE(record.BackgroundColor, quint32(0xC0C0C0));
        QCOMPARE(record.TextLeft, 120);
        QVERIFY(text.isEmpty());
        ParsePageEntry({}, record, text);
        QVERIFY(text.isEmpty());
    }

    void parsePageEntry_cutsFileNamesTo150Bytes()
    {
        QStringList entry(17, QStringLiteral("x=0"));
        entry[6] = QStringLiteral("SGraphic=") + QString(200, QLatin1Char('G'));
        entry[7] = QStringLiteral("SWallpaper=") + QString(100, QChar(0x03BB)); // two bytes each
        TopicDisplayRecord record;
        QStringList text;
        ParsePageEntry(entry, record, text);
        QCOMPARE(record.BackgroundGraphic, QString(150, QLatin1Char('G')));
        QCOMPARE(record.BackgroundTile, QString(75, QChar(0x03BB)));
    }

    void parsePageEntry_textStopsAtTail()
    {
        QStringList entry(17, QStringLiteral("k=v"));
        entry << QStringLiteral("one") << QStringLiteral("two") << QStringLiteral("]")
              << QStringLiteral("after");
        TopicDisplayRecord record;
        QStringList text;
        ParsePageEntry(entry, record, text);
        QCOMPARE(text, (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    }

    void replaceCommandEntry_keepsPosition()
    {
        const QByteArray before =
            CommandBlock("A", 3, "A.WAV") + CommandBlock("B", 7, "B.AVI") + CommandBlock("C", 8, "C.MID");
        WriteAll(m_store, before);
        ReplaceCommandEntry(m_store, QStringLiteral("Bee"), QStringLiteral("b"), kTopicKind,
                            QStringLiteral("BEE.BMP,50"), 2);
        QCOMPARE(ReadAll(m_store),
                 QByteArray(CommandBlock("A", 3, "A.WAV") + CommandBlock("Bee", 2, "BEE.BMP,50") +
                            CommandBlock("C", 8, "C.MID")));
    }

    void replacePageEntry_keepsPosition()
    {
        AppendCommandEntry(m_store, QStringLiteral("A"), 3, kTopicKind, QStringLiteral("A.WAV"));
        AppendPageEntry(m_store, QStringLiteral("B"), 1, kTopicKind, PageText(), TopicDisplayRecord());
        AppendCommandEntry(m_store, QStringLiteral("C"), 3, kTopicKind, QStringLiteral("C.WAV"));
        ReplacePageEntry(m_store, QStringLiteral("B2"), QStringLiteral("B"), kTopicKind,
                         {QStringLiteral("new")}, CustomRecord(), 5);
        QStringList names;
        ListEntryNames(names, m_store, kTopicKind);
        QCOMPARE(names, (QStringList{QStringLiteral("A"), QStringLiteral("B2"), QStringLiteral("C")}));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("B2"), kTopicKind, entry));
        QCOMPARE(entry.value(2), QStringLiteral("type=5"));
        QCOMPARE(entry.value(17), QStringLiteral("new"));
        QCOMPARE(entry.size(), 19);
        QVERIFY(ReadAll(m_store).endsWith(QByteArray("]\r\n\r\n" + CommandBlock("C", 3, "C.WAV"))));
    }

    void replaceEntry_notFound_changesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::newRow("name not in the store") << QStringLiteral("Missing") << kTopicKind;
        QTest::newRow("name under another kind") << QStringLiteral("A") << kIntroKind;
        QTest::newRow("introduction under the Topic kind") << kIntroName << kTopicKind;
    }
    void replaceEntry_notFound_changesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        // A bare LF line proves that the bytes stay as they were, not just the entries.
        const QByteArray before = CommandBlock("A", 3, "A.WAV") + "\n" + IntroBlock("Hello");
        WriteAll(m_store, before);
        ReplaceCommandEntry(m_store, QStringLiteral("X"), name, kind, QStringLiteral("X.WAV"), 3);
        QCOMPARE(ReadAll(m_store), before);
        ReplacePageEntry(m_store, QStringLiteral("X"), name, kind, {}, TopicDisplayRecord(), 1);
        QCOMPARE(ReadAll(m_store), before);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void replaceEntry_missingStore_staysMissing()
    {
        ReplaceCommandEntry(m_store, QStringLiteral("X"), QStringLiteral("X"), kTopicKind,
                            QStringLiteral("X.WAV"), 3);
        QVERIFY(!QFile::exists(m_store));
        QVERIFY(FilesIn(m_dir->path()).isEmpty());
    }

    void introduction_appendReadReplace()
    {
        QStringList lines;
        QVERIFY(!ReadIntroText(m_store, lines));
        AppendCommandEntry(m_store, QStringLiteral("A"), 3, kTopicKind, QStringLiteral("A.WAV"));
        AppendIntroEntry(m_store, {QStringLiteral("{\\rtf1 Welcome"), QStringLiteral("\\par }")});
        AppendCommandEntry(m_store, QStringLiteral("B"), 3, kTopicKind, QStringLiteral("B.WAV"));
        QCOMPARE(ReadAll(m_store),
                 QByteArray(CommandBlock("A", 3, "A.WAV") + IntroBlock("{\\rtf1 Welcome\r\n\\par }") +
                            CommandBlock("B", 3, "B.WAV")));
        QVERIFY(ReadIntroText(m_store, lines));
        QCOMPARE(lines, (QStringList{QStringLiteral("{\\rtf1 Welcome"), QStringLiteral("\\par }")}));

        ReplaceIntroEntry(m_store, {QStringLiteral("Bye")});
        QCOMPARE(ReadAll(m_store), QByteArray(CommandBlock("A", 3, "A.WAV") + IntroBlock("Bye") +
                                              CommandBlock("B", 3, "B.WAV")));
        lines.clear();
        QVERIFY(ReadIntroText(m_store, lines));
        QCOMPARE(lines, QStringList{QStringLiteral("Bye")});
    }

    void readIntroText_stopsAtFirstLineBeginningWithBracket()
    {
        WriteAll(m_store, "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\none\r\n]end\r\nafter\r\n");
        QStringList lines;
        QVERIFY(ReadIntroText(m_store, lines));
        QCOMPARE(lines, QStringList{QStringLiteral("one")});
    }

    void readIntroText_withoutTail_readsToEnd()
    {
        WriteAll(m_store, "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\none\r\ntwo");
        QStringList lines;
        QVERIFY(ReadIntroText(m_store, lines));
        QCOMPARE(lines, (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
        WriteAll(m_store, "[^INTRO");
        lines.clear();
        QVERIFY(ReadIntroText(m_store, lines));
        QVERIFY(lines.isEmpty());
    }

    void replaceIntroEntry_withoutIntroduction_changesNothing()
    {
        const QByteArray before = CommandBlock("A", 3, "A.WAV");
        WriteAll(m_store, before);
        ReplaceIntroEntry(m_store, {QStringLiteral("x")});
        QCOMPARE(ReadAll(m_store), before);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void convertOldStore_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("graphic for a time")
            << CommandBlock("G", 2, "PIC.BMP 30") << CommandBlock("G", 2, "PIC.BMP,30");
        QTest::newRow("graphic with sound")
            << CommandBlock("S", 6, "PIC.BMP SND.WAV 30") << CommandBlock("S", 6, "PIC.BMP,SND.WAV,30");
        QTest::newRow("other types untouched")
            << CommandBlock("P", 9, "NOTEPAD A B") << CommandBlock("P", 9, "NOTEPAD A B");
        QTest::newRow("converted value stays")
            << CommandBlock("G", 2, "PIC.BMP,30") << CommandBlock("G", 2, "PIC.BMP,30");
        QTest::newRow("bare LF lines come out as CR LF")
            << QByteArray("[G]\nsource=HYPER\ntype=2\ncommand=A.BMP 5\n]\n\n")
            << CommandBlock("G", 2, "A.BMP,5");
        QTest::newRow("type line at the end") << QByteArray("type=2\r\n") << QByteArray("type=2\r\n");
    }
    void convertOldStore()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        WriteAll(m_store, before);
        storage::ConvertOldStore(m_store);
        QCOMPARE(ReadAll(m_store), after);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void rewriteThatCannotWrite_losesNothing_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("replace page entry") << 0;
        QTest::newRow("replace command entry") << 1;
        QTest::newRow("delete entry") << 2;
        QTest::newRow("append entry") << 3;
        QTest::newRow("replace introduction") << 4;
    }
    void rewriteThatCannotWrite_losesNothing()
    {
        QFETCH(int, operation);
        const QStringList text(4000, QStringLiteral("\\par Some text of the page that is long enough"));
        for (int i = 0; i < 6; ++i)
            AppendPageEntry(m_store, QStringLiteral("Page %1").arg(i), 1, kTopicKind, text,
                            TopicDisplayRecord());
        AppendIntroEntry(m_store, {QStringLiteral("Hello")});
        const QByteArray before = ReadAll(m_store);
        QVERIFY(before.size() > 1'000'000);

        bool failed = false;
        {
            // The new store cannot grow past a tenth of the old one.
            const FileSizeLimit limit(before.size() / 10);
            try {
                switch (operation) {
                case 0:
                    ReplacePageEntry(m_store, QStringLiteral("New"), QStringLiteral("Page 3"), kTopicKind,
                                     text, TopicDisplayRecord(), 1);
                    break;
                case 1:
                    ReplaceCommandEntry(m_store, QStringLiteral("New"), QStringLiteral("Page 4"), kTopicKind,
                                        QStringLiteral("N.WAV"), 3);
                    break;
                case 2:
                    DeleteEntry(m_store, QStringLiteral("Page 5"), kTopicKind);
                    break;
                case 3:
                    AppendCommandEntry(m_store, QStringLiteral("New"), 3, kTopicKind,
                                       QStringLiteral("N.WAV"));
                    break;
                default:
                    ReplaceIntroEntry(m_store, {QStringLiteral("Bye")});
                    break;
                }
            } catch (const shell::Error& error) {
                failed = true;
                QVERIFY(error.message().contains(QStringLiteral("LIST.SWR")));
            }
        }
        QVERIFY(failed);
        QCOMPARE(ReadAll(m_store), before);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void rewriteInReadOnlyDirectory_losesNothing()
    {
        if (geteuid() == 0)
            QSKIP("the superuser writes into read-only directories; the file size case covers this");
        const QByteArray before = CommandBlock("A", 3, "A.WAV") + CommandBlock("B", 3, "B.WAV");
        WriteAll(m_store, before);
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY_THROWS_EXCEPTION(shell::Error, DeleteEntry(m_store, QStringLiteral("A"), kTopicKind));
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadAll(m_store), before);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
};

QTEST_GUILESS_MAIN(TestTopicStore)
#include "tst_topicstore.moc"
