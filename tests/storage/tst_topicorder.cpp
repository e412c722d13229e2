// Moving a Topic before another in the topic store: the resulting order, what travels with the
// entry, and the moves that must leave the store untouched.
#include "shell/error.h"
#include "storage/topicops.h"
#include "storage/topicorder.h"
#include "storage/topicstore.h"
#include "storefixtures.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace storage;

class TestTopicOrder : public QObject
{
    Q_OBJECT

private:
    QStringList names()
    {
        QStringList list;
        ListEntryNames(list, m_store, kTopicKind);
        return list;
    }
    void writeFour()
    {
        WriteAll(m_store, CommandBlock("First", 2, "A.BMP,,,,,0") + CommandBlock("Second", 4, "B.EXE") +
                              CommandBlock("Third", 8, "C.HTM") + CommandBlock("Fourth", 3, "D.WAV"));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = m_dir->filePath(QStringLiteral("LIST.SWR"));
    }
    void cleanup() { m_dir.reset(); }

    void moveThirdBeforeFirst_givesThirdFirstSecondFourth()
    {
        writeFour();
        QVERIFY(MoveEntry(m_store, QStringLiteral("Third"), QStringLiteral("First"), kTopicKind));
        QCOMPARE(names(), (QStringList{"Third", "First", "Second", "Fourth"}));
        // The store reads as if the entries had been written in that order.
        QCOMPARE(ReadAll(m_store), CommandBlock("Third", 8, "C.HTM") + CommandBlock("First", 2, "A.BMP,,,,,0") +
                                       CommandBlock("Second", 4, "B.EXE") + CommandBlock("Fourth", 3, "D.WAV"));
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

    void moveDownwards_andNamesInOtherCase()
    {
        writeFour();
        QVERIFY(MoveEntry(m_store, QStringLiteral("first"), QStringLiteral("FOURTH"), kTopicKind));
        QCOMPARE(names(), (QStringList{"Second", "Third", "First", "Fourth"}));
        // Before its own successor: the order stays.
        QVERIFY(MoveEntry(m_store, QStringLiteral("Second"), QStringLiteral("Third"), kTopicKind));
        QCOMPARE(names(), (QStringList{"Second", "Third", "First", "Fourth"}));
    }

    void movedPage_keepsKeyLinesAndText()
    {
        TopicDisplayRecord record;
        record.BackgroundKind = 2;
        record.BackgroundGraphic = QStringLiteral("BACK.JPG");
        record.TextLeft = 33;
        record.TextWidth = 300;
        const QStringList text{QStringLiteral("{\\rtf1 page}"), QStringLiteral("second line")};
        AppendCommandEntry(m_store, QStringLiteral("Cmd"), 4, kTopicKind, QStringLiteral("X.EXE"));
        AppendPageEntry(m_store, QStringLiteral("Page"), 5, kTopicKind, text, record);
        QStringList before;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Page"), kTopicKind, before));

        QVERIFY(MoveEntry(m_store, QStringLiteral("Page"), QStringLiteral("Cmd"), kTopicKind));
        QCOMPARE(names(), (QStringList{"Page", "Cmd"}));
        QStringList after;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("Page"), kTopicKind, after));
        QCOMPARE(after, before);
    }

    void movesThatChangeNothing_keepTheBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::newRow("same Topic") << "Second" << "second";
        QTest::newRow("unknown Topic to move") << "Nobody" << "First";
        // Without a place to go the entry must not be taken out, or it would be lost.
        QTest::newRow("unknown place") << "Second" << "Nobody";
        QTest::newRow("place of another kind") << "Second" << "^INTRODUCTION^";
    }
    void movesThatChangeNothing_keepTheBytes()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        const QByteArray stored = IntroBlock("Welcome") + CommandBlock("First", 2, "A.BMP,,,,,0") +
                                  CommandBlock("Second", 4, "B.EXE");
        WriteAll(m_store, stored);
        QVERIFY(!MoveEntry(m_store, name, before, kTopicKind));
        QCOMPARE(ReadAll(m_store), stored);
    }

    void entryOfAnotherKindWithTheSameName_staysWhereItIs()
    {
        WriteAll(m_store, CommandBlock("A", 2, "A.BMP") + CommandBlock("B", 4, "OTHER.EXE", "NOTES") +
                              CommandBlock("B", 4, "B.EXE"));
        QVERIFY(MoveEntry(m_store, QStringLiteral("B"), QStringLiteral("A"), kTopicKind));
        QCOMPARE(ReadAll(m_store), CommandBlock("B", 4, "B.EXE") + CommandBlock("A", 2, "A.BMP") +
                                       CommandBlock("B", 4, "OTHER.EXE", "NOTES"));
    }

    void duplicateNames_moveOnlyTheFirst_andLoseNothing()
    {
        WriteAll(m_store, CommandBlock("A", 2, "A.BMP") + CommandBlock("B", 4, "ONE.EXE") +
                              CommandBlock("B", 4, "TWO.EXE"));
        QVERIFY(MoveEntry(m_store, QStringLiteral("B"), QStringLiteral("A"), kTopicKind));
        QCOMPARE(ReadAll(m_store), CommandBlock("B", 4, "ONE.EXE") + CommandBlock("A", 2, "A.BMP") +
                                       CommandBlock("B", 4, "TWO.EXE"));
    }

    void entryCutShortAtTheEnd_getsItsTail()
    {
        // A damaged store whose last entry lost its tail and line end.
        WriteAll(m_store, CommandBlock("A", 2, "A.BMP") + "[B]\r\nsource=HYPER\r\ntype=4\r\ncommand=B.EXE");
        QVERIFY(MoveEntry(m_store, QStringLiteral("B"), QStringLiteral("A"), kTopicKind));
        QCOMPARE(ReadAll(m_store), CommandBlock("B", 4, "B.EXE") + CommandBlock("A", 2, "A.BMP"));
        QStringList entry;
        QVERIFY(ExtractEntry(m_store, QStringLiteral("A"), kTopicKind, entry));
        QCOMPARE(entry.at(3), QStringLiteral("command=A.BMP"));
    }

    void fullDisk_leavesStoreWhole()
    {
        QByteArray stored;
        for (int i = 0; i < 200; ++i)
            stored += CommandBlock("Topic " + QByteArray::number(i), 4, QByteArray(400, 'x'));
        WriteAll(m_store, stored);
        {
            FileSizeLimit limit(stored.size() / 2);
            QVERIFY_THROWS_EXCEPTION(shell::Error,
                                     MoveEntry(m_store, QStringLiteral("Topic 150"), QStringLiteral("Topic 3"),
                                               kTopicKind));
        }
        QCOMPARE(ReadAll(m_store), stored);
        QCOMPARE(FilesIn(m_dir->path()), QStringList{QStringLiteral("LIST.SWR")});
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
};

QTEST_GUILESS_MAIN(TestTopicOrder)
#include "tst_topicorder.moc"
