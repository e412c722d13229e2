// Covers "Print Stud&y List" (publish/studylistprint): menu order, headings, command Topics in
// words, page numbers and the contents page, printed into a PDF file.
#include "publish/studylistprint.h"
#include "storage/settingsrecord.h"
#include "storage/topicsource.h"

#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class ListSource : public storage::TopicSource
{
public:
    QStringList order;
    QHash<QString, QStringList> entries;

    void addPage(const QString& name, const QString& rtf)
    {
        QStringList lines{QLatin1Char('[') + name + QLatin1Char(']'), QStringLiteral("HYPER"), QStringLiteral("type=1")};
        for (int i = 3; i < 16; ++i)
            lines << QStringLiteral("key%1=").arg(i);
        add(name, lines << QStringLiteral("text=") << rtf);
    }
    void add(const QString& name, const QStringList& lines)
    {
        order << name;
        entries.insert(name, lines);
    }
    QStringList names(const QString&) const override { return order; }
    bool entry(const QString& name, const QString&, QStringList& lines) const override
    {
        lines = entries.value(name);
        return entries.contains(name);
    }
    bool introText(QStringList&) const override { return false; }
};

} // namespace

class TestStudyListPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandDescription_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("picture for a time") << 2 << "LAVA.BMP,35" << "Shows the picture LAVA.BMP for 3.5 seconds.";
        QTest::newRow("picture with sound") << 6 << "A.BMP,B.WAV,20" << "Shows the picture A.BMP with the sound B.WAV for 2 seconds.";
        QTest::newRow("program with parameters") << 4 << "CALC.EXE,/s x" << "Starts the program CALC.EXE with /s x.";
        QTest::newRow("unknown type") << 12 << "X" << "A command this program does not know (type 12).";
    }
    void commandDescription()
    {
        QFETCH(int, type);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(publish::CommandDescription(type, value), expected);
    }

    void print_menuOrderNumberedPagesAndContents()
    {
        ListSource source;
        source.addPage(QStringLiteral("Zeta"), QStringLiteral("{\\rtf1 The last of the pages.}"));
        source.add(QStringLiteral("Alpha picture"), {QStringLiteral("[Alpha picture]"), QStringLiteral("HYPER"),
                                                     QStringLiteral("type=2"), QStringLiteral("command=A.BMP,30")});
        source.addPage(QStringLiteral("beta"), QStringLiteral("{\\rtf1 Long page. ") +
                                                   QStringLiteral("\\par Line of text.").repeated(200) + QLatin1Char('}'));
        storage::SettingsRecord record;
        record.AlphabeticalTopics = true;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        QList<int> progress;
        QList<publish::PrintedTopic> contents;
        {
            QPdfWriter writer(pdf);
            contents = publish::PrintStudyList(record, source, writer, [&](int done, int total) {
                progress << done * 10 + total;
                return true;
            });
        }
        QCOMPARE(progress, (QList<int>{13, 23, 33}));
        QCOMPARE(contents.size(), 3);
        QCOMPARE(contents[0].name, QStringLiteral("Alpha picture"));
        QCOMPARE(contents[1].name, QStringLiteral("beta"));
        QCOMPARE(contents[2].name, QStringLiteral("Zeta"));
        QCOMPARE(contents[0].page, 1);
        QCOMPARE(contents[1].page, 2); // a page Topic starts a sheet of its own
        QVERIFY(contents[2].page > 3);  // after the several sheets of "beta"

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY(printed.contains(QStringLiteral("Alpha picture Shows the picture A.BMP for 3 seconds.")));
        QVERIFY(printed.contains(QStringLiteral("The last of the pages.")));
        QVERIFY2(printed.contains(QStringLiteral("Contents Alpha picture 1 beta 2 Zeta ") +
                                  QString::number(contents[2].page)),
                 qPrintable(printed.right(200)));
    }
};

QTEST_MAIN(TestStudyListPrint)
#include "tst_studylistprint.moc"
