// Covers CompiledTopicSource (every entry read back from NAME.SWC and from an appended list, names
// the index had to cut, damaged and hostile files) and the ELF image end.

#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "publish/elfimage.h"
#include "publish/storetext.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Topic
{
    QByteArray name;
    QList<QByteArray> lines; // after the kind line, before the tail
};

QList<Topic> SampleTopics()
{
    return {
        {"Volcanoes", PageEntryLines(1, {"{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}", "\\f0 Hot rock\\par", "}"})},
        {"Eruption film", {"type=7", "command=ERUPT.AVI"}},
        {"Ash", PageEntryLines(5, {"{\\rtf1 grey}"})},
        {"Crater picture", {"type=2", "command=CRATER.BMP,30"}},
        {"Lava \xC3\xA9t\xC3\xA9", {"type=6", "command=LAVA.JPG,HISS.WAV,50"}},
        {"Notes", {"type=13", "command=NOTES.TXT"}},
    };
}

QByteArray StoreText(const QList<Topic>& topics, const QList<QByteArray>& intro)
{
    QByteArray store;
    for (const Topic& topic : topics) {
        store += "[" + topic.name + "]\r\nsource=HYPER\r\n";
        for (const QByteArray& line : topic.lines)
            store += line + "\r\n";
        store += "]\r\n\r\n";
    }
    if (!intro.isEmpty())
        store += IntroEntryText(intro);
    return store;
}

QStringList Decoded(const QList<QByteArray>& lines)
{
    QStringList result;
    for (const QByteArray& line : lines)
        result.append(QString::fromUtf8(line));
    return result;
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const shell::Error& error) {
        return error.message();
    }
    return {};
}

void PutLe32(QByteArray& bytes, qsizetype at, qint32 value)
{
    bytes.replace(at, 4, Le32(value));
}

} // namespace

class TestCompiledTopicSource : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Compiles the store text into NAME.SWC with the given title and returns its path.
    QString compileList(const QString& name, const QByteArray& store, const QString& title = QStringLiteral("Rocks"))
    {
        shell::AppState state;
        state.WorkingDirectory = m_dir.path() + QLatin1Char('/');
        state.SettingsPath = name + QStringLiteral(".SWJ");
        state.TopicStorePath = name + QStringLiteral(".SWR");
        state.Settings.Program.Title = title;
        WriteAll(path(name + QStringLiteral(".SWR")), store);
        return publish::CompileStudyList(state);
    }

    QByteArray validFile()
    {
        return ReadAll(compileList(QStringLiteral("VALID"), StoreText(SampleTopics(), {"Hello"})));
    }

    static std::unique_ptr<publish::CompiledTopicSource> openBytes(const QByteArray& bytes)
    {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        return std::make_unique<publish::CompiledTopicSource>(std::move(buffer), storage::kSettingsSize,
                                                            QStringLiteral("TEST.SWC"));
    }

private Q_SLOTS:
    void readBack_everyEntry()
    {
        const QList<Topic> topics = SampleTopics();
        const QString swc = compileList(QStringLiteral("GEO"), StoreText(topics, {"Welcome", "", "to rocks"}),
                                        QStringLiteral("Rocks and Fire"));
        const auto source = publish::CompiledTopicSource::openCompiled(swc);

        QCOMPARE(source->count(), topics.size() + 1);
        QCOMPARE(source->settings().Program.Title, QStringLiteral("Rocks and Fire"));
        QStringList expectedNames;
        for (const Topic& topic : topics)
            expectedNames.append(QString::fromUtf8(topic.name));
        QCOMPARE(source->names(QStringLiteral("HYPER")), expectedNames);
        QCOMPARE(source->names(QStringLiteral("INTRO")), QStringList{QStringLiteral("^INTRODUCTION^")});

        for (const Topic& topic : topics) {
            QStringList lines;
            QVERIFY2(source->entry(QString::fromUtf8(topic.name), QStringLiteral("HYPER"), lines), topic.name.constData());
            const QStringList expected =
                QStringList{QString::fromUtf8("[" + topic.name + "]"), QStringLiteral("HYPER")} + Decoded(topic.lines);
            QCOMPARE(lines, expected);
        }
        QStringList intro;
        QVERIFY(source->introText(intro));
        QCOMPARE(intro, (QStringList{QStringLiteral("Welcome"), QString(), QStringLiteral("to rocks")}));
    }

    void entry_nameComparedWithCaseKindWithout()
    {
        const auto source = publish::CompiledTopicSource::openCompiled(
            compileList(QStringLiteral("CASE"), CommandEntryText("Basalt", 3, "B.WAV")));
        QStringList lines;
        QVERIFY(!source->entry(QStringLiteral("basalt"), QStringLiteral("HYPER"), lines));
        QVERIFY(lines.isEmpty());
        QVERIFY(source->entry(QStringLiteral("Basalt"), QStringLiteral("hyper"), lines));
        QCOMPARE(lines.value(3), QStringLiteral("command=B.WAV"));
        QVERIFY(!source->entry(QStringLiteral("Basalt"), QStringLiteral("INTRO"), lines));
    }

    void noIntroduction_introTextFalse()
    {
        const auto source = publish::CompiledTopicSource::openCompiled(
            compileList(QStringLiteral("NOINTRO"), CommandEntryText("A", 3, "A.WAV")));
        QStringList lines;
        QVERIFY(!source->introText(lines));
        QVERIFY(lines.isEmpty());
    }

    void longNames_foundThroughBlockHeadLine_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("58 fits whole") << 58;
        QTest::newRow("59 loses the bracket") << 59;
        QTest::newRow("60 loses a character") << 60;
    }

    void longNames_foundThroughBlockHeadLine()
    {
        QFETCH(int, length);
        // Two names that differ only in their last character share one index name when cut.
        const QByteArray stem(length - 1, 'q');
        const QByteArray first = stem + "1";
        const QByteArray second = stem + "2";
        const auto source = publish::CompiledTopicSource::openCompiled(
            compileList(QStringLiteral("LONG%1").arg(length),
                        CommandEntryText(first, 3, "ONE.WAV") + CommandEntryText(second, 3, "TWO.WAV")));
        QCOMPARE(source->names(QStringLiteral("HYPER")),
                 (QStringList{QString::fromLatin1(first), QString::fromLatin1(second)}));
        QStringList lines;
        QVERIFY(source->entry(QString::fromLatin1(second), QStringLiteral("HYPER"), lines));
        QCOMPARE(lines.value(0), QString::fromLatin1("[" + second + "]"));
        QCOMPARE(lines.value(3), QStringLiteral("command=TWO.WAV"));
        QVERIFY(source->entry(QString::fromLatin1(first), QStringLiteral("HYPER"), lines));
        QCOMPARE(lines.value(3), QStringLiteral("command=ONE.WAV"));
        QVERIFY(!source->entry(QString::fromLatin1(stem), QStringLiteral("HYPER"), lines));
    }

    void longNames_cutBeforeAMultibyteCharacter_data()
    {
        QTest::addColumn<QString>("character");
        QTest::newRow("2-byte") << QStringLiteral("λ");
        QTest::newRow("3-byte") << QStringLiteral("地");
        QTest::newRow("4-byte") << QStringLiteral("😀");
    }

    void longNames_cutBeforeAMultibyteCharacter()
    {
        QFETCH(QString, character);
        // The character starts in the index's last bytes, so the index keeps fewer than 58 of them.
        const qsizetype bytes = character.toUtf8().size();
        const QString name = QString(60 - bytes, QLatin1Char('n')) + character + QStringLiteral("tail");
        const auto source = publish::CompiledTopicSource::openCompiled(
            compileList(QStringLiteral("CUT%1").arg(bytes), CommandEntryText(name.toUtf8(), 3, "ONE.WAV")));
        QCOMPARE(source->names(QStringLiteral("HYPER")), QStringList{name});
        QStringList lines;
        QVERIFY(source->entry(name, QStringLiteral("HYPER"), lines));
        QCOMPARE(lines.value(3), QStringLiteral("command=ONE.WAV"));
    }

    void emptyBody_noNames()
    {
        const auto source = publish::CompiledTopicSource::openCompiled(
            compileList(QStringLiteral("BLANK"), "nothing but text\r\n"));
        QCOMPARE(source->count(), 0);
        QVERIFY(source->names(QStringLiteral("HYPER")).isEmpty());
    }

    void appendedList_readFromImageEnd()
    {
        const QByteArray swc = validFile();
        const QByteArray program = ReadAll(QCoreApplication::applicationFilePath());
        WriteAll(path(QStringLiteral("PROG.EXE")), program + swc);
        const auto source = publish::CompiledTopicSource::openExecutable(path(QStringLiteral("PROG.EXE")));
        QCOMPARE(source->names(QStringLiteral("HYPER")).size(), SampleTopics().size());
        QCOMPARE(source->settings().Program.Title, QStringLiteral("Rocks"));
    }

    void programWithNothingAppended_reportsIt()
    {
        const QString message = ErrorOf([] {
            publish::CompiledTopicSource::openExecutable(QCoreApplication::applicationFilePath());
        });
        QVERIFY2(message.contains(QStringLiteral("has no Study List appended")), qPrintable(message));
    }

    void missingFile_reportsError()
    {
        const QString message =
            ErrorOf([this] { publish::CompiledTopicSource::openCompiled(path(QStringLiteral("NONE.SWC"))); });
        QVERIFY2(message.startsWith(QStringLiteral("Cannot open file")), qPrintable(message));
    }

    void damagedFile_refusedWithMessage_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        const QString notCompiled = QStringLiteral("is not a compiled Study List");
        const QString damaged = QStringLiteral("is damaged");
        QTest::newRow("shorter than the settings record") << "cut:3000" << notCompiled;
        QTest::newRow("body shorter than its header") << "cut:5110" << notCompiled;
        QTest::newRow("truncated body") << "cut:5200" << damaged;
        QTest::newRow("index cut short") << "cut:-40" << damaged;
        QTest::newRow("wrong signature") << "byte:5106:X" << notCompiled;
        QTest::newRow("wrong signature length") << "byte:5105:\x04" << notCompiled;
        QTest::newRow("wrong version marker") << "byte:1:1" << notCompiled;
        QTest::newRow("index offset past the end") << "header:9:2000000000" << damaged;
        QTest::newRow("index offset inside the header") << "header:9:4" << damaged;
        QTest::newRow("negative index offset") << "header:9:-100" << damaged;
        QTest::newRow("huge count") << "header:5:2147483647" << damaged;
        QTest::newRow("count larger than the index") << "header:5:8" << damaged;
        QTest::newRow("negative count") << "header:5:-1" << damaged;
        QTest::newRow("block length past the end") << "record:65:1000000000" << damaged;
        QTest::newRow("negative block length") << "record:65:-5" << damaged;
        QTest::newRow("block offset past the end") << "record:61:2147483000" << damaged;
        QTest::newRow("negative block offset") << "record:61:-13" << damaged;
        QTest::newRow("block reaching into the index") << "record:65:100000" << damaged;
        QTest::newRow("name length over 60") << "recordbyte:0:200" << damaged;
        QTest::newRow("kind length over 10") << "recordbyte:69:11" << damaged;
    }

    void damagedFile_refusedWithMessage()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        QByteArray bytes = validFile();
        const QStringList parts = damage.split(QLatin1Char(':'));
        const qsizetype body = storage::kSettingsSize;
        const qint32 indexOffset = ReadLe32(bytes, body + 9);
        // The last index record, so every record before it is valid.
        const qsizetype lastRecord = body + indexOffset + (ReadLe32(bytes, body + 5) - 1) * publish::kIndexRecordSize;
        const QString kind = parts[0];
        if (kind == QLatin1String("cut")) {
            const int at = parts[1].toInt();
            bytes.truncate(at < 0 ? bytes.size() + at : at);
        } else if (kind == QLatin1String("byte")) {
            bytes[parts[1].toInt()] = parts[2].toLatin1().at(0);
        } else if (kind == QLatin1String("header")) {
            PutLe32(bytes, body + parts[1].toInt(), parts[2].toInt());
        } else if (kind == QLatin1String("record")) {
            PutLe32(bytes, lastRecord + parts[1].toInt(), parts[2].toInt());
        } else if (kind == QLatin1String("recordbyte")) {
            bytes[lastRecord + parts[1].toInt()] = char(parts[2].toInt());
        }
        const QString message = ErrorOf([&] { openBytes(bytes); });
        QVERIFY2(message.contains(expected), qPrintable(damage + QStringLiteral(" -> ") + message));
        QVERIFY(message.contains(QStringLiteral("TEST.SWC")));
    }

    void fileShrunkAfterOpening_entryReportsError()
    {
        const QString swc = compileList(QStringLiteral("SHRINK"), StoreText(SampleTopics(), {}));
        const auto source = publish::CompiledTopicSource::openCompiled(swc);
        QVERIFY(QFile::resize(swc, storage::kSettingsSize + 20));
        QStringList lines;
        const QString message =
            ErrorOf([&] { source->entry(QStringLiteral("Notes"), QStringLiteral("HYPER"), lines); });
        QVERIFY2(message.contains(QStringLiteral("is damaged")), qPrintable(message));
    }

    void elfImageEnd_testProgramIsWholeFile()
    {
        QFile self(QCoreApplication::applicationFilePath());
        QVERIFY(self.open(QIODevice::ReadOnly));
        QCOMPARE(publish::ElfImageEnd(self), self.size());
        QVERIFY(self.seek(0));
        QCOMPARE(publish::ElfImageEnd(self.read(64 * 1024)), self.size());
    }

    void elfImageEnd_appendedDataNotCounted()
    {
        const QByteArray program = ReadAll(QCoreApplication::applicationFilePath());
        QBuffer buffer;
        buffer.setData(program + QByteArray(5000, 'x'));
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(publish::ElfImageEnd(buffer), program.size());
    }

    void elfImageEnd_refusesDamaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray program = ReadAll(QCoreApplication::applicationFilePath());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not ELF") << QByteArray(200, 'a');
        QByteArray elf32 = program.left(4096);
        elf32[4] = 1;
        QTest::newRow("32-bit") << elf32;
        QByteArray bigEndian = program.left(4096);
        bigEndian[5] = 2;
        QTest::newRow("big-endian") << bigEndian;
        QByteArray headerOnly = program.left(64);
        QTest::newRow("program headers missing") << headerOnly;
        QByteArray hugeTable = program;
        hugeTable.replace(32, 8, QByteArray("\xff\xff\xff\xff\xff\xff\xff\x7f", 8));
        QTest::newRow("program table offset huge") << hugeTable;
        QByteArray smallEntries = program;
        smallEntries[54] = 8;
        smallEntries[55] = 0;
        QTest::newRow("program header entries too small") << smallEntries;
        QByteArray segmentPastEnd = program;
        const auto phoff = qFromLittleEndian<quint64>(program.constData() + 32);
        segmentPastEnd.replace(qsizetype(phoff) + 32, 8, QByteArray("\x00\x00\x00\x40\x00\x00\x00\x00", 8));
        QTest::newRow("segment past the end") << segmentPastEnd;
        QByteArray sectionsPastEnd = program;
        sectionsPastEnd.replace(40, 8, QByteArray("\x00\x00\x00\x40\x00\x00\x00\x00", 8));
        QTest::newRow("section table past the end") << sectionsPastEnd;
    }

    void elfImageEnd_refusesDamaged()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(publish::ElfImageEnd(buffer), qint64(-1));
    }
};

QTEST_GUILESS_MAIN(TestCompiledTopicSource)
#include "tst_compiledtopicsource.moc"
