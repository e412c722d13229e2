// Covers documents brought in as Topics: the names they get, a folder of documents, documents cut
// at their headings, cancelling, and the Import Topics box.
#include "authoring/importtopics.h"
#include "authoring/timporttopicsform.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/child.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using authoring::ImportTopics;
using authoring::UniqueTopicName;

namespace {

QStringList TopicNames(const QString& store)
{
    QStringList names;
    storage::ListEntryNames(names, store, storage::kTopicKind);
    return names;
}

} // namespace

class TestImportTopics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void uniqueName_followsStoreRules_data();
    void uniqueName_followsStoreRules();
    void folder_becomesOneTopicADocument();
    void split_makesOneTopicAHeading();
    void cancel_keepsWhatWasWritten();
    void dialog_importsChosenDocuments();
};

void TestImportTopics::uniqueName_followsStoreRules_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("name");
    QTest::newRow("free") << QStringLiteral("Lava") << QStringList() << QStringLiteral("Lava");
    QTest::newRow("taken in another case") << QStringLiteral("lava") << QStringList{QStringLiteral("LAVA")}
                                           << QStringLiteral("lava (2)");
    QTest::newRow("taken twice") << QStringLiteral("Lava")
                                 << QStringList{QStringLiteral("Lava"), QStringLiteral("lava (2)")}
                                 << QStringLiteral("Lava (3)");
    QTest::newRow("brackets and breaks") << QStringLiteral(" [Ash]\n\tcloud ") << QStringList()
                                         << QStringLiteral("Ash cloud");
    QTest::newRow("empty") << QStringLiteral(" \n") << QStringList() << QStringLiteral("Topic");
    const QString longName = QString(70, QLatin1Char('x'));
    QTest::newRow("cut") << longName << QStringList() << QString(60, QLatin1Char('x'));
    QTest::newRow("cut and numbered") << longName << QStringList{QString(60, QLatin1Char('x'))}
                                      << QString(56, QLatin1Char('x')) + QStringLiteral(" (2)");
}

void TestImportTopics::uniqueName_followsStoreRules()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, taken);
    QFETCH(QString, name);
    QCOMPARE(UniqueTopicName(wanted, taken), name);
}

void TestImportTopics::folder_becomesOneTopicADocument()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("docs"));
    QDir().mkpath(folder);
    WriteAll(folder + QStringLiteral("/a.md"), "# Volcanoes\n\nHot.\n");
    WriteAll(folder + QStringLiteral("/b.txt"), "Plain notes\n");
    WriteAll(folder + QStringLiteral("/c.rtf"), "{\\rtf1 Rich}");
    WriteAll(folder + QStringLiteral("/d.docx"), "not a zip");
    WriteAll(folder + QStringLiteral("/e.png"), "not a document");
    const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
    storage::AppendCommandEntry(store, QStringLiteral("Volcanoes"), 4, storage::kTopicKind, QStringLiteral("x.exe"));
    const auto result = ImportTopics(store, authoring::DocumentsInFolder(folder), false);
    QCOMPARE(result.written, QStringList({QStringLiteral("Volcanoes (2)"), QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(result.failures, QStringList{QStringLiteral("d.docx: the file is not a Word document")});
    QCOMPARE(TopicNames(store).size(), 4);
    QStringList entry;
    QVERIFY(storage::ExtractEntry(store, QStringLiteral("c"), storage::kTopicKind, entry));
    QVERIFY(entry.contains(QStringLiteral("type=1")));
}

void TestImportTopics::split_makesOneTopicAHeading()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pandoc")).isEmpty())
        QSKIP("pandoc is not installed");
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("book.md")), "Preface.\n\n# Lava\n\nHot.\n\n## Flows\n\nSlow.\n\n# Ash\n\nGrey.\n");
    QProcess pandoc;
    pandoc.setWorkingDirectory(dir.path());
    pandoc.start(QStringLiteral("pandoc"), {QStringLiteral("book.md"), QStringLiteral("-o"), QStringLiteral("book.docx")});
    QVERIFY(pandoc.waitForFinished(60'000));
    const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
    const auto result = ImportTopics(store, {dir.filePath(QStringLiteral("book.docx"))}, true);
    QCOMPARE(result.written, QStringList({QStringLiteral("book"), QStringLiteral("Lava"), QStringLiteral("Ash")}));
    QStringList entry;
    QVERIFY(storage::ExtractEntry(store, QStringLiteral("Lava"), storage::kTopicKind, entry));
    const QString text = entry.join(QLatin1Char('\n'));
    QVERIFY(text.contains(QStringLiteral("Flows")) && !text.contains(QStringLiteral("Grey")));
}

void TestImportTopics::cancel_keepsWhatWasWritten()
{
    QTemporaryDir dir;
    QStringList paths;
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        paths.append(dir.filePath(QString::fromLatin1(name)));
        WriteAll(paths.last(), "text");
    }
    const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
    QStringList shown;
    const auto result = ImportTopics(store, paths, false, [&](const QString& fileName, int done) {
        shown.append(fileName);
        return done < 2;
    });
    QVERIFY(result.cancelled);
    QCOMPARE(shown, QStringList({QStringLiteral("one.txt"), QStringLiteral("two.txt"), QStringLiteral("three.txt")}));
    QCOMPARE(TopicNames(store), QStringList({QStringLiteral("one"), QStringLiteral("two")}));
}

void TestImportTopics::dialog_importsChosenDocuments()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("Lesson.txt")), "Read me");
    const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
    authoring::TImportTopicsForm form(store, dir.path());
    QVERIFY(!Child<QPushButton>(form, "OKBtn")->isEnabled());
    dialogs.fileAnswers.enqueue(dir.filePath(QStringLiteral("Lesson.txt")));
    QTest::mouseClick(Child<QPushButton>(form, "FilesBtn"), Qt::LeftButton);
    dialogs.fileAnswers.enqueue(dir.path()); // the folder adds nothing new
    QTest::mouseClick(Child<QPushButton>(form, "FolderBtn"), Qt::LeftButton);
    QCOMPARE(form.documents(), QStringList{dir.filePath(QStringLiteral("Lesson.txt"))});
    QTest::mouseClick(Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    QCOMPARE(dialogs.infos, QStringList{QStringLiteral("1 Topic was imported.")});
    QCOMPARE(TopicNames(store), QStringList{QStringLiteral("Lesson")});
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestImportTopics)
#include "tst_importtopics.moc"
