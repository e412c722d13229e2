// The page converter reads RTF straight into HTML; each page must come out as it does when read
// into a document first and written from there, and its text for the search index the same.

#include "pictures.h"
#include "testfiles.h"

#include "publish/pagehtml.h"
#include "publish/playerdata.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>
#include <QTextDocument>

using namespace publish;

namespace {

QString PictureAddress(const QImage& image)
{
    return QStringLiteral("media/P%1x%2.PNG").arg(image.width()).arg(image.height());
}

PageHtml ThroughDocument(const QStringList& lines)
{
    QTextDocument document;
    ReadPageDocument(lines, &document);
    return {DocumentToHtml(document, PictureAddress), document.toPlainText()};
}

QStringList Lines(const QByteArray& rtf)
{
    return QString::fromLatin1(rtf).split(QStringLiteral("\r\n"));
}

QByteArray Page(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}{\\f2\\fcharset204 Times "
           "New Roman;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\f0\\fs20 " +
           body + "}";
}

QByteArray Deep(int depth)
{
    return QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after";
}

} // namespace

class TestPageHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesTheDocumentPath_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected"); // a piece of the HTML, or empty
        const QByteArray png = SolidPicture(4, 3, Qt::red, "PNG").toHex();
        QTest::newRow("faces, sizes, colours") << Page("a {\\f1\\fs36\\cf1 b}{\\cf2\\cb1 c}\\f2 d") << "font-size:18pt";
        QTest::newRow("bold italic underline strike")
            << Page("\\b b\\i bi\\b0 i\\i0\\ul u\\ulnone\\strike s\\strike0 plain") << "<b><i>bi</i></b>";
        QTest::newRow("super and subscript") << Page("x\\super 2\\nosupersub y\\sub 3") << "<sup>2</sup>";
        QTest::newRow("alignments and spacing")
            << Page("\\qc c\\par\\pard\\qr r\\par\\pard\\qj j\\par\\pard\\sb240\\sa120\\ri360 s") << "text-align:justify";
        QTest::newRow("indents and tabs")
            << Page("\\li720\\fi-360 1.\\tab item\\par\\pard a\\tab\\tab b\\line c\\tab d") << "text-indent:-18pt";
        QTest::newRow("tab stops named") << Page("\\tx1440\\tqr\\tldot\\tx4320 a\\tab b\\tab c") << "class=\"tab\"";
        QTest::newRow("numbered list from the list table")
            << QByteArray("{\\rtf1{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}}}}"
                          "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\\pard\\ls1\\li720\\fi-360 one\\par two}")
            << "1.";
        QTest::newRow("table as cells") << Page("\\trowd\\cellx1000\\cellx2000 a\\cell\\cell c\\cell\\row after")
                                        << "class=\"tab\"";
        QTest::newRow("picture") << Page("x{\\pict\\pngblip\\picw4\\pich3 " + png + "}y")
                                 << "<img alt=\"\" src=\"media/P4x3.PNG\" style=\"width:3pt;height:2.25pt\">";
        QTest::newRow("picture scaled by its goal")
            << Page("{\\*\\shppict{\\pict\\pngblip\\picwgoal1440\\pichgoal720 " + png + "}}{\\nonshppict x}") << "width:72pt";
        QTest::newRow("unreadable picture keeps its frame") << Page("{\\pict\\pngblip\\picwgoal600\\pichgoal300 00ff}") << "<img";
        QTest::newRow("hostile text")
            << Page("<img src=x onerror=alert(1)> & \"q\" 'a' </p><script>") << "&lt;img src=x onerror=alert(1)&gt; &amp;";
        QTest::newRow("hostile face name") << QByteArray("{\\rtf1{\\fonttbl{\\f0 x\\\"><script>;}}\\f0 t}") << "'xscript'";
        QTest::newRow("hyperlink field is text") << Page("{\\field{\\*\\fldinst HYPERLINK \"javascript:x\"}{\\fldrslt link}}")
                                                 << "link";
        QTest::newRow("unicode with uc skip") << Page("{\\uc2 \\u1046\\'3f\\'3fa}\\u-3913?b\\uc0\\u916 c") << QString::fromUtf8("Жa");
        QTest::newRow("ansicpg1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}") << QString::fromUtf8("Да");
        QTest::newRow("font charset 204") << Page("\\f2 \\'c4\\'e0") << QString::fromUtf8("Да");
        QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e\\'a5}") << QString::fromUtf8("é•");
        QTest::newRow("symbols") << Page("\\emdash\\endash\\bullet\\lquote\\rdblquote\\~\\-\\_\\{\\}\\\\") << QString::fromUtf8("—–•‘”");
        QTest::newRow("paragraph separator character") << Page("\\qc a\\u8233 b\\par c") << "<br></p>";
        QTest::newRow("hidden text") << Page("a{\\v hidden}b") << "ab";
        QTest::newRow("empty paragraphs") << Page("\\par\\par x\\par") << "<br></p>";
        QTest::newRow("truncated") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\b bold \\'e") << "bold";
        QTest::newRow("unbalanced closing") << QByteArray("{\\rtf1 a}}}b{\\rtf1 c}") << "a";
        QTest::newRow("control characters dropped") << QByteArray("{\\rtf1\\uc0 a\\u1 b\\'07c\\u127 d}") << "abcd";
        QTest::newRow("deep nesting") << QByteArray("{\\rtf1 " + Deep(3000) + "}") << "after";
        QTest::newRow("empty") << QByteArray("{\\rtf1}") << "<br>";
        QTest::newRow("plain text page") << QByteArray("plain <b>\r\nsecond & line\r\n\r\nthird\ttab") << "&lt;b&gt;";
    }
    void matchesTheDocumentPath()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        const QStringList lines = Lines(rtf);
        const PageHtml streamed = PageLinesToHtml(lines, PictureAddress);
        const PageHtml document = ThroughDocument(lines);
        QCOMPARE(streamed.html, document.html);
        QCOMPARE(streamed.plainText, document.plainText);
        QVERIFY2(streamed.html.contains(expected), qPrintable(streamed.html));
        QVERIFY(!streamed.html.contains(QLatin1String("<script")));
        QVERIFY(!streamed.html.contains(QLatin1String("<img src")));
    }

    void hugePage_isWholeAndFast()
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
        for (int i = 0; i < 100000; ++i)
            rtf += "\\par line \\b " + QByteArray::number(i) + "\\b0 x\\tab y";
        rtf += "}";
        const PageHtml page = PageLinesToHtml({QString::fromLatin1(rtf)}, {});
        QCOMPARE(page.html.count(QLatin1String("<p>")), 100001);
        QVERIFY(page.html.contains(QLatin1String("<b>99999</b>")));
        QCOMPARE(page.plainText.count(QLatin1Char('\n')), 100000);
    }

    void pageAndSearchScripts_areTheDataScripts()
    {
        const QString html = QString::fromUtf8("<p>\"a\\b\"</p>\t\n\r\x01\x1f é € 😀 </script>") + QChar(0x7F);
        QCOMPARE(PageScript(QStringLiteral("12"), html),
                 DataScript(QStringLiteral("page"), QJsonObject{{QStringLiteral("html"), html}}, QStringLiteral("12")));
        SearchScript search;
        QJsonArray entries;
        for (int topic = 0; topic < 3; ++topic) {
            search.add(SearchScript::Entry(topic, html.left(topic * 5), html.mid(topic)));
            entries.append(QJsonObject{{QStringLiteral("t"), topic},
                                       {QStringLiteral("n"), html.left(topic * 5)},
                                       {QStringLiteral("x"), html.mid(topic)}});
        }
        QCOMPARE(search.pieces().join(), DataScript(QStringLiteral("search"), entries));
    }

    void sharedSamples_matchTheDocumentPath_data()
    {
        QTest::addColumn<QString>("path");
        const QString shared = SharedDir();
        if (shared.isEmpty())
            QSKIP("the shared RTF samples are not available");
        const QDir dir(shared + QStringLiteral("/rtf-samples"));
        for (const QString& name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void sharedSamples_matchTheDocumentPath()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = Lines(file.readAll());
        const PageHtml streamed = PageLinesToHtml(lines, PictureAddress);
        const PageHtml document = ThroughDocument(lines);
        QCOMPARE(streamed.plainText, document.plainText);
        QCOMPARE(streamed.html, document.html);
    }
};

QTEST_MAIN(TestPageHtml)
#include "tst_pagehtml.moc"
