// Entry operations of the topic store: listing, extracting, name tests and deletion, the topic
// source over a store, and stores written by a stranger (hostile content).
#include "shell/error.h"
#include "storage/storelinereader.h"
#include "storage/storetopicsource.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "storefixtures.h"
#include "testfiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace storage;

namespace {

QByteArray PageBlock(const QByteArray& name, const QByteArray& text)
{
    return "[" + name +
           "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=0\r\nfullscreen=true\r\nSbackcolor="
           "clSilver\r\nSGraphic=\r\n"
           "SWallpaper=\r\nVPBack=clWhite\r\nVPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\nRLTop="
           "1\r\n"
           "RLLeft=1\r\nprint=false\r\ntext=\r\n" +
           text + "\r\n]\r\n\r\n";
}

} // namespace

class TestTopicOps : public QObject
{
    Q_OBJECT

private:
    QStringList names(const QString& kind = kTopicKind)
    {
        QStringList list;
        ListEntryNames(list, m_store, kind);
        return list;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
    }
    void cleanup() { m_dir.reset(); }

    void missingStore_givesEmptyResults()
    {
        QVERIFY(names().isEmpty());
        QStringList entry{QStringLiteral("untouched")};
        QVERIFY(!ExtractEntry(m_store, QStringLiteral("A"), kTopicKind, entry));
        QCOMPARE(entry, QStringList{QStringLiteral("untouched")});
        QVERIFY(!EntryNameInUse(m_store, QStringLiteral("A"), QString(), kTopicKind));
        QVERIFY(!HasEntriesOfKind(m_store, kTopicKind));
        DeleteEntry(m_store, QStringLiteral("A"), kTopicKind);
        QVERIFY(!QFile::exists(m_store));
    }

    void listEntryNames_givesStoreOrderOfTheKindOnly()
    {
        WriteAll(m_store, CommandBlock("Zeta", 3, "Z.WAV") + IntroBlock("hi") + PageBlock("alpha", "x") +
                              CommandBlock("Other", 3, "O.WAV", "NOTES") +
                              CommandBlock("Mid", 8, "M.MID", "hyper"));
        QStringList list{QStringLiteral("kept")};
        ListEntryNames(list, m_store, QStringLiteral("Hyper"));
        QCOMPARE(list, (QStringList{QStringLiteral("kept"), QStringLiteral("Zeta"), QStringLiteral("alpha"),
                                    QStringLiteral("Mid")}));
        QCOMPARE(names(kIntroKind), QStringList{kIntroName});
    }

    void hasEntriesOfKind_comparesTheWholeLineWithTheUpperCaseKind()
    {
        WriteAll(m_store, CommandBlock("Lower", 3, "L.WAV", "hyper"));
        QVERIFY(!HasEntriesOfKind(m_store, QStringLiteral("hyper")));
        QCOMPARE(names(), QStringList{QStringLiteral("Lower")});
        WriteAll(m_store, CommandBlock("Upper", 3, "U.WAV"));
        QVERIFY(HasEntriesOfKind(m_store, QStringLiteral("hyper")));
    }

    void extractEntry_commandEntry_hasTheExtractedLayout()
    {
        WriteAll(m_store, CommandBlock("Volcanoes", 2, "PIC.BMP,30") + CommandBlock("Next", 3, "N.WAV"));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("VOLCANOES"), QStringLiteral("hyper"), entry));
        QCOMPARE(entry, (QStringList{QStringLiteral("Volcanoes"), QStringLiteral("source=HYPER"),
                                     QStringLiteral("type=2"), QStringLiteral("command=PIC.BMP,30"),
                                     QStringLiteral("]")}));
    }

    void extractEntry_pageEntry_endsWithTail()
    {
        WriteAll(m_store, PageBlock("Page", "{\\rtf1 a\r\n\\par }"));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("page"), kTopicKind, entry));
        QCOMPARE(entry.size(), 20);
        QCOMPARE(entry[16], QStringLiteral("text="));
        QCOMPARE(entry[17], QStringLiteral("{\\rtf1 a"));
        QCOMPARE(entry[18], QStringLiteral("\\par }"));
        QCOMPARE(entry[19], QStringLiteral("]"));
    }

    void extractEntry_lastDuplicateWins()
    {
        WriteAll(m_store, CommandBlock("Dup", 3, "FIRST.WAV") + CommandBlock("Dup", 3, "OTHER.WAV", "NOTES") +
                              CommandBlock("dup", 3, "LAST.WAV") + CommandBlock("After", 3, "A.WAV"));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Dup"), kTopicKind, entry));
        QCOMPARE(entry.value(0), QStringLiteral("dup"));
        QCOMPARE(entry.value(3), QStringLiteral("command=LAST.WAV"));
        QCOMPARE(entry.size(), 5);
    }

    void entryNameInUse_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("rename Alpha to itself in another case") << "Alpha"
                                                                << "ALPHA" << kTopicKind << false;
        QTest::newRow("new Topic named like Alpha") << "Alpha"
                                                    << "" << kTopicKind << true;
        QTest::newRow("another case of an existing name") << "aLPHA"
                                                          << "Beta" << kTopicKind << true;
        QTest::newRow("free name") << "Gamma"
                                   << "" << kTopicKind << false;
        QTest::newRow("name only under INTRO is free for HYPER") << "^INTRODUCTION^"
                                                                 << "" << kTopicKind << false;
        QTest::newRow("introduction under INTRO") << "^introduction^"
                                                  << "" << kIntroKind << true;
        QTest::newRow("name only under NOTES") << "Memo"
                                               << "" << kTopicKind << false;
    }
    void entryNameInUse()
    {
        QFETCH(QString, newName);
        QFETCH(QString, oldName);
        QFETCH(QString, kind);
        QFETCH(bool, inUse);
        WriteAll(m_store, CommandBlock("Alpha", 3, "A.WAV") + CommandBlock("Beta", 3, "B.WAV") +
                              IntroBlock("hi") + CommandBlock("Memo", 13, "M.TXT", "NOTES"));
        QCOMPARE(EntryNameInUse(m_store, newName, oldName, kind), inUse);
    }

    void deleteEntry_lastEntry_removesTheStore()
    {
        WriteAll(m_store, PageBlock("Only", "text"));
        DeleteEntry(m_store, QStringLiteral("ONLY"), kTopicKind);
        QVERIFY(!QFile::exists(m_store));
        QVERIFY(FilesIn(m_dir->path()).isEmpty());
    }

    void deleteEntry_leavingEmptyLinesOnly_removesTheStore()
    {
        WriteAll(m_store, "\r\n\r\n" + CommandBlock("Only", 3, "O.WAV") + "\r\n\n");
        DeleteEntry(m_store, QStringLiteral("Only"), kTopicKind);
        QVERIFY(!QFile::exists(m_store));
    }

    void deleteEntry_onlyTopicBesideIntroduction_keepsTheStore()
    {
        WriteAll(m_store, IntroBlock("Welcome") + CommandBlock("Only", 3, "O.WAV"));
        DeleteEntry(m_store, QStringLiteral("Only"), kTopicKind);
        QCOMPARE(ReadAll(m_store), IntroBlock("Welcome"));
        QVERIFY(!HasEntriesOfKind(m_store, kTopicKind));
    }

    void deleteEntry_keepsTheOthersByteForByte()
    {
        WriteAll(m_store,
                 CommandBlock("A", 3, "A.WAV") + PageBlock("B", "b") + CommandBlock("C", 3, "C.WAV"));
        DeleteEntry(m_store, QStringLiteral("b"), QStringLiteral("Hyper"));
        QCOMPARE(ReadAll(m_store), QByteArray(CommandBlock("A", 3, "A.WAV") + CommandBlock("C", 3, "C.WAV")));
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void deleteEntry_notFound_changesNothing()
    {
        const QByteArray before = CommandBlock("A", 3, "A.WAV") + "\n";
        WriteAll(m_store, before);
        DeleteEntry(m_store, QStringLiteral("B"), kTopicKind);
        QCOMPARE(ReadAll(m_store), before);
    }

    void introductionIsInvisibleToTopicOperations()
    {
        const QByteArray before = IntroBlock("Welcome");
        WriteAll(m_store, before);
        QVERIFY(names().isEmpty());
        QVERIFY(!HasEntriesOfKind(m_store, kTopicKind));
        QStringList entry;
        QVERIFY(!ExtractEntry(m_store, kIntroName, kTopicKind, entry));
        DeleteEntry(m_store, kIntroName, kTopicKind);
        ReplaceCommandEntry(m_store, QStringLiteral("X"), kIntroName, kTopicKind, QStringLiteral("X.WAV"), 3);
        QCOMPARE(ReadAll(m_store), before);
        // With its own kind it is an entry like any other.
        QVERIFY(ExtractEntry(m_store, kIntroName, kIntroKind, entry));
        QCOMPARE(entry, (QStringList{kIntroName, QStringLiteral("source=INTRO"), QStringLiteral("text="),
                                     QStringLiteral("Welcome"), QStringLiteral("]")}));
        DeleteEntry(m_store, kIntroName, kIntroKind);
        QVERIFY(!QFile::exists(m_store));
    }

    void storeTopicSource_answersFromTheStore()
    {
        const StoreTopicSource source(m_store);
        QVERIFY(source.names(kTopicKind).isEmpty());
        QStringList lines{QStringLiteral("kept")};
        QVERIFY(!source.introText(lines));
        QVERIFY(!source.entry(QStringLiteral("A"), kTopicKind, lines));
        QCOMPARE(lines, QStringList{QStringLiteral("kept")});

        WriteAll(m_store, CommandBlock("A", 3, "A.WAV") + IntroBlock("Hi") + CommandBlock("B", 7, "B.AVI"));
        QCOMPARE(source.names(kTopicKind), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QVERIFY(source.entry(QStringLiteral("b"), kTopicKind, lines));
        QCOMPARE(lines.value(3), QStringLiteral("command=B.AVI"));
        QVERIFY(source.introText(lines));
        QCOMPARE(lines, QStringList{QStringLiteral("Hi")});
    }

    void headsAtBlockBoundaries_areFoundOnce_data()
    {
        QTest::addColumn<int>("shift");
        for (int shift = -3; shift <= 3; ++shift)
            QTest::newRow(qPrintable(QStringLiteral("head at block end %1").arg(shift))) << shift;
    }
    void headsAtBlockBoundaries_areFoundOnce()
    {
        // The store is read in blocks of 1 MB; put the second head and a "[" inside a line right
        // around the first block's end.
        QFETCH(int, shift);
        const QByteArray first = CommandBlock("First", 3, "F.WAV");
        const QByteArray pageHead = PageBlock("Filler", "").chopped(7); // up to "text=\r\n"
        const qsizetype length = (1 << 20) + shift - first.size() - pageHead.size() - 7;
        QByteArray text(length, 'p');
        text[length - 6 - shift] = '['; // not at the start of a line
        const QByteArray filler = pageHead + text + "\r\n]\r\n\r\n";
        const QByteArray second = CommandBlock("Second", 3, "S.WAV");
        WriteAll(m_store, first + filler + second);
        QCOMPARE(qsizetype(first.size() + filler.size()), qsizetype((1 << 20) + shift));
        QCOMPARE(names(),
                 (QStringList{QStringLiteral("First"), QStringLiteral("Filler"), QStringLiteral("Second")}));
        QVERIFY(HasEntriesOfKind(m_store, kTopicKind));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Second"), kTopicKind, entry));
        QCOMPARE(entry.value(3), QStringLiteral("command=S.WAV"));
        QVERIFY(EntryNameInUse(m_store, QStringLiteral("second"), QString(), kTopicKind));
        DeleteEntry(m_store, QStringLiteral("Second"), kTopicKind);
        QCOMPARE(ReadAll(m_store), QByteArray(first + filler));
        DeleteEntry(m_store, QStringLiteral("First"), kTopicKind);
        QCOMPARE(ReadAll(m_store), filler);
    }

    // Stores written by a stranger.

    void hostile_veryLongLines_areKeptWhole()
    {
        const QByteArray longLine(3 * 1024 * 1024 + 17, 'x');
        WriteAll(m_store,
                 PageBlock("Long", longLine) + CommandBlock("Short", 3, "S.WAV") + "[" + longLine + "]\r\n");
        QCOMPARE(names(), (QStringList{QStringLiteral("Long"), QStringLiteral("Short")}));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Long"), kTopicKind, entry));
        QCOMPARE(entry.value(17).size(), longLine.size());
        DeleteEntry(m_store, QStringLiteral("Short"), kTopicKind);
        QCOMPARE(ReadAll(m_store), QByteArray(PageBlock("Long", longLine) + "[" + longLine + "]\r\n"));
    }

    void hostile_lineBeyondTheLimit_isReportedAsDamage()
    {
        WriteAll(m_store, "[A]\r\nsource=HYPER\r\n" + QByteArray(3 * 1024 * 1024, 'x') + "\r\n]\r\n");
        for (const bool headsOnly : {false, true}) {
            StoreLineReader reader(m_store, 2 * 1024 * 1024);
            QByteArrayView line;
            QVERIFY(reader.next(line));
            QCOMPARE(line, QByteArrayView("[A]"));
            try {
                while (headsOnly ? reader.nextHead(line) : reader.next(line)) {
                }
                QFAIL("an overlong line was read");
            } catch (const shell::Error& error) {
                QVERIFY(error.message().contains(QStringLiteral("damaged")));
            }
        }
    }

    void hostile_headWithoutTailAtEnd_runsToTheEnd()
    {
        WriteAll(m_store,
                 CommandBlock("A", 3, "A.WAV") + "[Open]\r\nsource=HYPER\r\ntype=1\r\ntext=\r\nrest");
        QCOMPARE(names(), (QStringList{QStringLiteral("A"), QStringLiteral("Open")}));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Open"), kTopicKind, entry));
        QCOMPARE(entry,
                 (QStringList{QStringLiteral("Open"), QStringLiteral("source=HYPER"),
                              QStringLiteral("type=1"), QStringLiteral("text="), QStringLiteral("rest")}));
        DeleteEntry(m_store, QStringLiteral("Open"), kTopicKind);
        QCOMPARE(ReadAll(m_store), CommandBlock("A", 3, "A.WAV"));
    }

    void hostile_headWithoutKindLineAtEnd_isNoEntry()
    {
        const QByteArray before = CommandBlock("A", 3, "A.WAV") + "[Cut]";
        WriteAll(m_store, before);
        QCOMPARE(names(), QStringList{QStringLiteral("A")});
        QStringList entry;
        QVERIFY(!ExtractEntry(m_store, QStringLiteral("Cut"), kTopicKind, entry));
        QVERIFY(!EntryNameInUse(m_store, QStringLiteral("Cut"), QString(), kTopicKind));
        DeleteEntry(m_store, QStringLiteral("Cut"), kTopicKind);
        QCOMPARE(ReadAll(m_store), before);
        // Untouched lines go over byte for byte, an unfinished last line included.
        DeleteEntry(m_store, QStringLiteral("A"), kTopicKind);
        QCOMPARE(ReadAll(m_store), QByteArray("[Cut]"));
    }

    void hostile_binaryBytes_areReadAndKept()
    {
        QByteArray binary;
        for (int b = 0; b < 256; ++b)
            if (b != '\n')
                binary.append(char(b));
        const QByteArray name("Bin\x00\xff\x80z", 7);
        const QByteArray store = "[" + name + "]\r\nsource=HYPER\r\ntype=1\r\n" + binary + "\r\n]\r\n\r\n" +
                                 CommandBlock("B", 3, "B.WAV");
        WriteAll(m_store, store);
        const QStringList list = names();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].size(), 7);
        QCOMPARE(list[0].at(4), QChar(0x00FF)); // not UTF-8: read as Windows-1252
        QCOMPARE(list[0].at(5), QChar(0x20AC));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, list[0], kTopicKind, entry));
        QCOMPARE(entry.size(), 5);
        DeleteEntry(m_store, QStringLiteral("B"), kTopicKind);
        // The bytes of the other entry survive the rewrite unchanged.
        QCOMPARE(ReadAll(m_store), store.left(store.size() - CommandBlock("B", 3, "B.WAV").size()));
    }

    void hostile_loneBracketLines()
    {
        WriteAll(m_store, "[\r\nsource=HYPER\r\ntype=3\r\ncommand=E.WAV\r\n]\r\n\r\n]\r\n\r\n" +
                              CommandBlock("A", 3, "A.WAV") + "[");
        QCOMPARE(names(), (QStringList{QString(), QStringLiteral("A")}));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QString(), kTopicKind, entry));
        QCOMPARE(entry.value(3), QStringLiteral("command=E.WAV"));
        DeleteEntry(m_store, QStringLiteral("A"), kTopicKind);
        QCOMPARE(names(), QStringList{QString()});
    }

    void hostile_randomBytes_neverCrash()
    {
        QRandomGenerator random(20261208);
        static const char kAlphabet[] = "[]=\r\n\nsource=HYPERtype=1INTRO^x\x00\xff";
        const QByteArray alphabet(kAlphabet, sizeof(kAlphabet) - 1);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes(random.bounded(1, 600), Qt::Uninitialized);
            for (char& c : bytes)
                c = alphabet[random.bounded(alphabet.size())];
            WriteAll(m_store, bytes);
            const QStringList list = names();
            QVERIFY(list.size() <= bytes.count('['));
            for (const QString& name : list) {
                QStringList entry;
                ExtractEntry(m_store, name, kTopicKind, entry);
                TopicDisplayRecord record;
                QStringList text;
                ParsePageEntry(entry, record, text);
                QVERIFY(text.size() <= entry.size());
            }
            QStringList intro;
            ReadIntroText(m_store, intro);
            HasEntriesOfKind(m_store, kTopicKind);
            if (!list.isEmpty())
                DeleteEntry(m_store, list.front(), kTopicKind);
            QVERIFY(!QFile::exists(m_store) ||
                    ReadAll(m_store).size() <= bytes.size() + bytes.count('\n') + 2);
        }
        QVERIFY(FilesIn(m_dir->path()).size() <= 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
};

QTEST_GUILESS_MAIN(TestTopicOps)
#include "tst_topicops.moc"
