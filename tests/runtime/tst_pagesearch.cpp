// Covers the reader's order of Topic names (runtime/previewsequence ReaderTopicOrder), the search
// over every page (runtime/pagesearch) and the plain text it reads pages as
// (platform/rtf/rtfplaintext).
#include "platform/rtf/rtfplaintext.h"
#include "runtime/pagesearch.h"
#include "runtime/previewsequence.h"
#include "storage/settingsrecord.h"

#include <QtTest>

namespace {

// A page entry as a compiled list gives it: head, kind, the 15 lines of its display record
// ("type=" to "text="), then the page text.
QStringList Page(const QString& name, const QStringList& rtf, int type = 1)
{
    QStringList lines{QLatin1Char('[') + name + QLatin1Char(']'), QStringLiteral("HYPER"),
                      QStringLiteral("type=") + QString::number(type)};
    for (int i = 3; i < 16; ++i)
        lines << QStringLiteral("key%1=").arg(i);
    lines << QStringLiteral("text=");
    return lines + rtf;
}

runtime::PageSearchIndex Volcanoes()
{
    runtime::PageSearchIndex index;
    index.add(QStringLiteral("Etna"), Page(QStringLiteral("Etna"), {QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"),
                                                                    QStringLiteral("\\f0 Lava flows from the \\b crater\\b0 .\\par "),
                                                                    QStringLiteral("Caf\\'e9 on the slope.}")}));
    index.add(QStringLiteral("Krakatoa"), Page(QStringLiteral("Krakatoa"), {QStringLiteral("{\\rtf1 Ash and PUMICE.}")}));
    index.add(QStringLiteral("Lava lamp"), {QStringLiteral("[Lava lamp]"), QStringLiteral("HYPER"), QStringLiteral("type=2"),
                                            QStringLiteral("command=LAMP.BMP,10")});
    return index;
}

QStringList Names(const QList<runtime::PageSearchHit>& hits)
{
    QStringList names;
    for (const auto& hit : hits)
        names << hit.name;
    return names;
}

} // namespace

class TestPageSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readerOrder_data()
    {
        QTest::addColumn<bool>("alphabetical");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        const QStringList mixed{"zebra", "Éclair", "apple", "eclipse", "Apple pie"};
        QTest::newRow("flag off: stored order") << false << mixed << mixed;
        QTest::newRow("accents and case ignored")
            << true << mixed << QStringList{"apple", "Apple pie", "Éclair", "eclipse", "zebra"};
        QTest::newRow("numbers as numbers")
            << true << QStringList{"Topic 10", "Topic 9", "Topic 100"} << QStringList{"Topic 9", "Topic 10", "Topic 100"};
        QTest::newRow("equal names keep stored order")
            << true << QStringList{"b", "ÉTÉ", "été", "A"} << QStringList{"A", "b", "ÉTÉ", "été"};
    }
    void readerOrder()
    {
        QFETCH(bool, alphabetical);
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        storage::SettingsRecord record;
        record.AlphabeticalTopics = alphabetical;
        QCOMPARE(runtime::ReaderTopicOrder(record, names), expected);
    }

    void search_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one word, case ignored") << "LAVA" << QStringList{"Etna", "Lava lamp"};
        QTest::newRow("several words, all needed") << "lava crater" << QStringList{"Etna"};
        QTest::newRow("accents ignored both ways") << "cafe" << QStringList{"Etna"};
        QTest::newRow("accented query") << "PÚMICE" << QStringList{"Krakatoa"};
        QTest::newRow("a word in the name, one in the page") << "etna slope" << QStringList{"Etna"};
        QTest::newRow("no hit") << "lava geyser" << QStringList{};
        QTest::newRow("formatting is not text") << "fonttbl" << QStringList{};
        QTest::newRow("no words") << "   " << QStringList{};
    }
    void search()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        QCOMPARE(Names(Volcanoes().search(query)), expected);
    }

    void search_snippetAroundFirstHit()
    {
        const auto hits = Volcanoes().search(QStringLiteral("slope crater"));
        QCOMPARE(hits.size(), 1);
        QCOMPARE(hits.front().snippet, QStringLiteral("Lava flows from the crater. Café on the slope."));
    }

    void search_pageLargerThanOneMegabyte_findsItsEnd()
    {
        runtime::PageSearchIndex index;
        const QString filler = QStringLiteral("basalt ").repeated(200000);
        index.add(QStringLiteral("Big"), Page(QStringLiteral("Big"), {QStringLiteral("{\\rtf1 ") + filler + QStringLiteral("obsidian}")}));
        const auto hits = index.search(QStringLiteral("obsidian"));
        QCOMPARE(Names(hits), QStringList{"Big"});
        QVERIFY(hits.front().snippet.endsWith(QStringLiteral("basalt obsidian")));
        QVERIFY(hits.front().snippet.startsWith(QChar(0x2026)));
    }

    void search_damagedEntries_readAsFarAsTheyGo()
    {
        runtime::PageSearchIndex index;
        index.add(QStringLiteral("Cut"), Page(QStringLiteral("Cut"), {QStringLiteral("{\\rtf1 {\\b magma \\'4")}));
        index.add(QStringLiteral("Headless"), {QStringLiteral("[Headless]")});
        index.add(QStringLiteral("Skips"), Page(QStringLiteral("Skips"), {QStringLiteral("{\\rtf1 \\uc9\\u233 magma}")}));
        index.add(QStringLiteral("Fine"), Page(QStringLiteral("Fine"), {QStringLiteral("{\\rtf1 magma}")}));
        QCOMPARE(Names(index.search(QStringLiteral("magma"))), (QStringList{"Cut", "Fine"}));
        QCOMPARE(Names(index.search(QStringLiteral("headless"))), QStringList{"Headless"});
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tables, pictures and \\* groups left out")
            << "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}{\\*\\generator W;}{\\pict 0a0b}A\\par B\\tab C}"
            << "A\nB\tC";
        QTest::newRow("code page and unicode") << "{\\rtf1\\ansi\\ansicpg1253 \\'e1\\u8364?\\~x\\{\\}}" << "α€ x{}";
        QTest::newRow("not RTF comes as it stands") << "plain words" << "plain words";
    }
    void plainText()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QCOMPARE(platform::rtf::PagePlainText({rtf}), expected);
    }

    void hits_positionsInTheUnfoldedText()
    {
        using Hits = QList<std::pair<qsizetype, qsizetype>>;
        QCOMPARE(runtime::SearchHits(QStringLiteral("Éte, ete ÉTÉ"), runtime::SearchWords(QStringLiteral("ete"))),
                 (Hits{{0, 3}, {5, 3}, {9, 3}}));
    }
};

QTEST_GUILESS_MAIN(TestPageSearch)
#include "tst_pagesearch.moc"
