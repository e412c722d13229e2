// Covers bringing documents in: the readers by extension, pandoc for .DOCX and .ODT (documents
// made here from Markdown with pandoc itself) and documents that must be refused.
#include "platform/rtf/importdocument.h"
#include "support/pictures.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

using platform::rtf::ImportDocument;

namespace {

const char kMarkdown[] = "# Volcanoes\n\nMolten rock.\n\n- lava\n- ash\n\n| Name | Height |\n|---|---|\n| Etna | 3357 |\n\n"
                         "![crater](crater.png)\n\n# Glaciers\n\nIce.\n";

bool HasPandoc()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pandoc")).isEmpty();
}

// What a test checks of an imported document: its headings, lists, tables and pictures.
struct Shape
{
    QStringList headings;
    int listItems = 0;
    int tables = 0;
    int pictures = 0;
};

Shape ShapeOf(QTextDocument& document)
{
    Shape shape;
    QSet<QTextTable*> tables;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            shape.headings.append(block.text());
        if (block.textList())
            ++shape.listItems;
        if (QTextTable* table = QTextCursor(block).currentTable())
            tables.insert(table);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() &&
                !document.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                     .value<QImage>()
                     .isNull())
                ++shape.pictures;
        }
    }
    shape.tables = int(tables.size());
    return shape;
}

} // namespace

class TestImportDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void documents_keepTheirShape_data();
    void documents_keepTheirShape();
    void refused_giveTheReason_data();
    void refused_giveTheReason();
    void hugeHtml_isReadInBoundedTime();

private:
    QTemporaryDir m_dir;
};

void TestImportDocument::init()
{
    platform::rtf::SetPandocProgram(QStringLiteral("pandoc"));
    WriteAll(m_dir.filePath(QStringLiteral("crater.png")), SolidPicture(30, 20, Qt::red, "png"));
    WriteAll(m_dir.filePath(QStringLiteral("volcanoes.md")), kMarkdown);
}

void TestImportDocument::documents_keepTheirShape_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"volcanoes.md", "volcanoes.html", "volcanoes.docx", "volcanoes.odt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestImportDocument::documents_keepTheirShape()
{
    QFETCH(QString, name);
    const QString path = m_dir.filePath(name);
    if (!name.endsWith(QLatin1String(".md"))) {
        if (!HasPandoc())
            QSKIP("pandoc is not installed (scripts/install-deps.sh installs it)");
        QProcess pandoc;
        pandoc.setWorkingDirectory(m_dir.path());
        pandoc.start(QStringLiteral("pandoc"), {QStringLiteral("--standalone"), QStringLiteral("volcanoes.md"),
                                                QStringLiteral("-o"), name});
        QVERIFY(pandoc.waitForFinished(60'000));
        QCOMPARE(pandoc.exitCode(), 0);
    }
    QTextDocument document;
    QCOMPARE(ImportDocument(path, &document), QString());
    const Shape shape = ShapeOf(document);
    QCOMPARE(shape.headings, QStringList({QStringLiteral("Volcanoes"), QStringLiteral("Glaciers")}));
    QCOMPARE(shape.listItems, 2);
    QCOMPARE(shape.tables, 1);
    QCOMPARE(shape.pictures, 1);
    QVERIFY(document.toPlainText().contains(QStringLiteral("Etna")));
}

void TestImportDocument::refused_giveTheReason_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("pandoc");
    QTest::addColumn<QString>("reason");
    QTest::newRow("docx not a zip") << QStringLiteral("a.docx") << QByteArray("<html>no</html>")
                                    << QStringLiteral("pandoc") << QStringLiteral("the file is not a Word document");
    QTest::newRow("odt not a zip") << QStringLiteral("a.odt") << QByteArray("text")
                                   << QStringLiteral("pandoc") << QStringLiteral("the file is not an OpenDocument text");
    QTest::newRow("damaged zip") << QStringLiteral("b.docx") << QByteArray("PK\x03\x04garbage", 11)
                                 << QStringLiteral("pandoc") << QStringLiteral("pandoc could not read it");
    QTest::newRow("pandoc missing") << QStringLiteral("c.docx") << QByteArray("PK\x03\x04", 4)
                                    << QStringLiteral("/nonexistent/pandoc")
                                    << QStringLiteral("reading .DOCX and .ODT documents needs the program pandoc");
    QTest::newRow("missing file") << QStringLiteral("none.rtf") << QByteArray() << QStringLiteral("pandoc")
                                  << QStringLiteral("No such file");
}

void TestImportDocument::refused_giveTheReason()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, pandoc);
    QFETCH(QString, reason);
    if (reason.startsWith(QLatin1String("pandoc")) && !HasPandoc())
        QSKIP("pandoc is not installed");
    const QString path = m_dir.filePath(name);
    if (!content.isEmpty())
        WriteAll(path, content);
    platform::rtf::SetPandocProgram(pandoc);
    QTextDocument document;
    document.setPlainText(QStringLiteral("before"));
    const QString error = ImportDocument(path, &document);
    QVERIFY2(error.startsWith(reason, Qt::CaseInsensitive) || error.contains(reason), qPrintable(error));
    QVERIFY(document.isEmpty());
}

void TestImportDocument::hugeHtml_isReadInBoundedTime()
{
    // 100 000 pages, each a heading that starts a new page and a line of text.
    QByteArray html = "<html><body>";
    for (int page = 0; page < 100'000; ++page)
        html += "<h2 style=\"page-break-before:always\">P" + QByteArray::number(page) + "</h2><p>x</p>";
    html += "</body></html>";
    const QString path = m_dir.filePath(QStringLiteral("huge.htm"));
    WriteAll(path, html);
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    QCOMPARE(ImportDocument(path, &document), QString());
    QVERIFY(document.blockCount() >= 200'000);
    QVERIFY2(timer.elapsed() < 30'000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_MAIN(TestImportDocument)
#include "tst_importdocument.moc"
