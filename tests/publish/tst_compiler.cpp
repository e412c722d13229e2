// Covers the compiler: the compiled body byte by byte, the index records, the rules for lines
// outside entries, NAME.SWC and the compile command's message.

#include "publish/compiler.h"
#include "support/scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "storage/settingsrecord.h"
#include "publish/storetext.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct IndexFields
{
    QByteArray name;
    qint32 offset = 0;
    qint32 length = 0;
    QByteArray kind;
};

IndexFields IndexAt(const QByteArray& body, int entry)
{
    const qint32 indexOffset = ReadLe32(body, 9);
    const QByteArray record = body.mid(indexOffset + entry * publish::kIndexRecordSize, publish::kIndexRecordSize);
    IndexFields fields;
    fields.name = record.mid(1, static_cast<unsigned char>(record[0]));
    fields.offset = ReadLe32(record, 61);
    fields.length = ReadLe32(record, 65);
    fields.kind = record.mid(70, static_cast<unsigned char>(record[69]));
    return fields;
}

QByteArray Block(const QByteArray& body, int entry)
{
    const IndexFields fields = IndexAt(body, entry);
    return body.mid(fields.offset, fields.length);
}

} // namespace

class TestCompiler : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QByteArray compile(const QByteArray& storeText)
    {
        WriteAll(path(QStringLiteral("IN.SWR")), storeText);
        [&] { QVERIFY(publish::CompileStore(path(QStringLiteral("IN.SWR")), path(QStringLiteral("IN.$$$")))); }();
        return ReadAll(path(QStringLiteral("IN.$$$")));
    }

    shell::AppState studyList(const QString& name)
    {
        shell::AppState state;
        state.WorkingDirectory = m_dir.path() + QLatin1Char('/');
        state.SettingsPath = name + QStringLiteral(".SWJ");
        state.TopicStorePath = name + QStringLiteral(".SWR");
        state.Settings.Program.Title = QStringLiteral("Volcanoes of the World");
        return state;
    }

private Q_SLOTS:
    void oneCommandEntry_exactBodyBytes()
    {
        const QByteArray body = compile(CommandEntryText("A", 3, "SND.WAV"));

        const QByteArray block = "[A]\r\nHYPER\r\ntype=3\r\ncommand=SND.WAV\r\n";
        QByteArray record(80, '\0');
        record[0] = 3;
        record.replace(1, 3, "[A]");
        record.replace(61, 4, Le32(13));
        record.replace(65, 4, Le32(qint32(block.size())));
        record[69] = 5;
        record.replace(70, 5, "HYPER");
        const QByteArray expected = QByteArray("\x03WR1\x00", 5) + Le32(1) + Le32(qint32(13 + block.size())) + block + record;
        QCOMPARE(body.size(), 13 + block.size() + 80);
        QCOMPARE(body, expected);
    }

    void pageEntry_blockHoldsEveryLineAfterKind()
    {
        const QList<QByteArray> text{"{\\rtf1\\ansi Lava", "\\par flows}"};
        const QByteArray body = compile(PageEntryText("Lava", 5, text));
        QByteArray expected = "[Lava]\r\nHYPER\r\n";
        for (const QByteArray& line : PageEntryLines(5, text))
            expected += line + "\r\n";
        QCOMPARE(Block(body, 0), expected);
        QCOMPARE(IndexAt(body, 0).offset, 13);
    }

    void introEntry_compiledWithKindIntro()
    {
        const QByteArray body = compile(IntroEntryText({"Welcome", "to the list"}) + CommandEntryText("A", 2, "P.BMP,30"));
        QCOMPARE(ReadLe32(body, 5), 2);
        const IndexFields intro = IndexAt(body, 0);
        QCOMPARE(intro.name, QByteArray("[^INTRODUCTION^]"));
        QCOMPARE(intro.kind, QByteArray("INTRO"));
        QCOMPARE(Block(body, 0), QByteArray("[^INTRODUCTION^]\r\nINTRO\r\ntext=\r\nWelcome\r\nto the list\r\n"));
        const IndexFields topic = IndexAt(body, 1);
        QCOMPARE(topic.kind, QByteArray("HYPER"));
        QCOMPARE(topic.offset, intro.offset + intro.length);
    }

    void sixtyCharacterName_cutInIndexWholeInBlock()
    {
        const QByteArray name = QByteArray("Volcanic eruptions of the twentieth century and their ashes").leftJustified(60, 'x');
        QCOMPARE(name.size(), 60);
        const QByteArray body = compile(CommandEntryText(name, 7, "ERUPT.AVI"));
        const IndexFields fields = IndexAt(body, 0);
        QCOMPARE(fields.name.size(), 60);
        QCOMPARE(fields.name, "[" + name.left(59));
        QVERIFY(Block(body, 0).startsWith(QByteArray("[" + name + "]\r\nHYPER\r\n")));
    }

    void utf8Name_cutAtCharacterBoundary()
    {
        QByteArray name;
        for (int i = 0; i < 30; ++i)
            name += "\xC3\xA9"; // é, two bytes
        const QByteArray body = compile(CommandEntryText(name, 3, "A.WAV"));
        const IndexFields fields = IndexAt(body, 0);
        // "[" and 29 whole characters: the 30th would have been split at byte 60.
        QCOMPARE(fields.name.size(), 59);
        QCOMPARE(fields.name, "[" + name.left(58));
        QVERIFY(QByteArrayView(fields.name).isValidUtf8());
    }

    void storeWithoutHeadLines_headerOnly()
    {
        const QByteArray body = compile("just a line\r\n\r\n]\r\nsource=HYPER\r\n");
        QCOMPARE(body, QByteArray("\x03WR1\x00", 5) + Le32(0) + Le32(0));
    }

    void emptyStore_headerOnly()
    {
        QCOMPARE(compile(QByteArray()), QByteArray("\x03WR1\x00", 5) + Le32(0) + Le32(0));
    }

    void linesOutsideEntries_dropped_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QByteArray>("firstBlock");
        QTest::addColumn<QByteArray>("secondBlock");
        QTest::newRow("before the first head")
            << QByteArray("stray\r\n\r\n[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n]\r\n")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\ncommand=A.WAV\r\n") << QByteArray();
        QTest::newRow("between tail and head")
            << QByteArray("[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV\r\n]\r\nstray\r\n\r\n"
                          "[B]\r\nsource=HYPER\r\ntype=8\r\ncommand=B.MID\r\n]\r\n\r\n")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\ncommand=A.WAV\r\n")
            << QByteArray("[B]\r\nHYPER\r\ntype=8\r\ncommand=B.MID\r\n");
        QTest::newRow("no tail: the next head closes the entry")
            << QByteArray("[A]\r\nsource=HYPER\r\ntype=3\r\n[B]\r\nsource=HYPER\r\ntype=8\r\n")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\n") << QByteArray("[B]\r\nHYPER\r\ntype=8\r\n");
        QTest::newRow("tail with more text ends the entry")
            << QByteArray("[A]\r\nsource=HYPER\r\ntype=3\r\n] end\r\nafter\r\n")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\n") << QByteArray();
        QTest::newRow("LF-only lines")
            << QByteArray("[A]\nsource=HYPER\ntype=3\ncommand=A.WAV\n]\n\n")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\ncommand=A.WAV\r\n") << QByteArray();
        QTest::newRow("last line without line end")
            << QByteArray("[A]\r\nsource=HYPER\r\ntype=3\r\ncommand=A.WAV")
            << QByteArray("[A]\r\nHYPER\r\ntype=3\r\ncommand=A.WAV\r\n") << QByteArray();
        QTest::newRow("head at the very end has an empty kind")
            << QByteArray("[A]") << QByteArray("[A]\r\n\r\n") << QByteArray();
        QTest::newRow("long kind cut to ten")
            << QByteArray("[A]\r\nsource=HYPERTEXTUAL\r\n]\r\n") << QByteArray("[A]\r\nHYPERTEXTU\r\n") << QByteArray();
    }

    void linesOutsideEntries_dropped()
    {
        QFETCH(QByteArray, store);
        QFETCH(QByteArray, firstBlock);
        QFETCH(QByteArray, secondBlock);
        const QByteArray body = compile(store);
        const int count = secondBlock.isEmpty() ? 1 : 2;
        QCOMPARE(ReadLe32(body, 5), count);
        QCOMPARE(Block(body, 0), firstBlock);
        if (count == 2)
            QCOMPARE(Block(body, 1), secondBlock);
        QCOMPARE(ReadLe32(body, 9), 13 + firstBlock.size() + secondBlock.size());
        QCOMPARE(body.size(), ReadLe32(body, 9) + 80 * count);
    }

    void longLine_keptWhole()
    {
        const QByteArray line(3 * 1024 * 1024, 'r');
        const QByteArray body = compile(PageEntryText("Big", 1, {line, "end"}));
        QVERIFY(Block(body, 0).contains(QByteArray("text=\r\n" + line + "\r\nend\r\n")));
    }

    void compileIntoDevice_offsetsCountFromBodyStart()
    {
        WriteAll(path(QStringLiteral("DEV.SWR")), CommandEntryText("A", 3, "A.WAV") + CommandEntryText("B", 3, "B.WAV"));
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        buffer.write("prefix");
        QCOMPARE(publish::CompileStore(path(QStringLiteral("DEV.SWR")), buffer, QStringLiteral("buffer")), 2);
        const QByteArray body = buffer.data().mid(6);
        QCOMPARE(IndexAt(body, 0).offset, 13);
        QCOMPARE(Block(body, 1), QByteArray("[B]\r\nHYPER\r\ntype=3\r\ncommand=B.WAV\r\n"));
    }

    void missingStore_noBodyFile()
    {
        QVERIFY(!publish::CompileStore(path(QStringLiteral("NONE.SWR")), path(QStringLiteral("NONE.$$$"))));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("NONE.$$$"))));
    }

    void compileStudyList_swcIsSettingsRecordThenBody()
    {
        shell::AppState state = studyList(QStringLiteral("GEO"));
        const QByteArray store = IntroEntryText({"Hello"}) + CommandEntryText("A", 3, "A.WAV") +
                                 PageEntryText("Lava", 1, {"{\\rtf1 x}"});
        WriteAll(path(QStringLiteral("GEO.SWR")), store);
        WriteAll(path(QStringLiteral("GEO.$$$")), "left by an interrupted compile");

        const QString swc = publish::CompileStudyList(state);

        QCOMPARE(swc, path(QStringLiteral("GEO.SWC")));
        const QByteArray compiled = ReadAll(swc);
        const QByteArray body = compile(store);
        QCOMPARE(compiled.size(), body.size() + 5105);
        QCOMPARE(compiled.left(5105), storage::EncodeSettings(state.Settings));
        QCOMPARE(compiled.mid(5105), body);
        QCOMPARE(compiled.left(5), QByteArray("\x04" "2.21"));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("GEO.$$$"))));
    }

    void compileStudyList_namesResolvedWithoutCase()
    {
        shell::AppState state = studyList(QStringLiteral("Case"));
        WriteAll(path(QStringLiteral("CASE.SWR")), CommandEntryText("A", 3, "A.WAV"));
        WriteAll(path(QStringLiteral("case.swc")), "old");
        const QString swc = publish::CompileStudyList(state);
        QCOMPARE(swc, path(QStringLiteral("case.swc")));
        QCOMPARE(ReadAll(swc).size(), 5105 + 13 + 35 + 80);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("Case.SWC"))));
    }

    void compileStudyList_missingStore_reportsError()
    {
        shell::AppState state = studyList(QStringLiteral("EMPTY"));
        WriteAll(path(QStringLiteral("EMPTY.$$$")), "stale");
        try {
            publish::CompileStudyList(state);
            QFAIL("no error for a missing store");
        } catch (const shell::Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("EMPTY.SWR")), qPrintable(error.message()));
        }
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("EMPTY.SWC"))));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("EMPTY.$$$"))));
    }

    void compileCommand_showsMessageWithUpperCaseName()
    {
        ScriptedDialogs dialogs;
        shell::AppState state = studyList(QStringLiteral("rocks"));
        WriteAll(path(QStringLiteral("rocks.SWR")), CommandEntryText("Basalt", 2, "B.BMP,20"));
        publish::CompileCommand(state);
        QCOMPARE(dialogs.infos,
                 QStringList{QStringLiteral("The Topic List ROCKS.SWC has been compiled. Use the command MERIDOX "
                                            "ROCKS.SWC to display it.")});
        QVERIFY(QFileInfo::exists(path(QStringLiteral("rocks.SWC"))));
    }

    void indexName_cutToSixtyBytes()
    {
        QCOMPARE(publish::IndexName("[short]"), QByteArray("[short]"));
        QCOMPARE(publish::IndexName(QByteArray(70, 'n')).size(), 60);
    }
};

QTEST_GUILESS_MAIN(TestCompiler)
#include "tst_compiler.moc"
