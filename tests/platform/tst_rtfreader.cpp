// Covers the RTF reader: text, symbols, Unicode and code pages, formats, destinations, pictures,
// hostile input, and the plain text of real-world documents from other programs.
#include "shell/faces.h"
#include "platform/rtf/rtfformat.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "platform/rtf/rtftokenizer.h"
#include "support/pictures.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QtTest>

using platform::rtf::RtfError;
using platform::rtf::RtfReader;

namespace {

QString ReadText(const QByteArray& rtf)
{
    QTextDocument document;
    if (!platform::rtf::ReadRtf(rtf, &document))
        return QStringLiteral("<not read>");
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// The character format at the first occurrence of needle.
QTextCharFormat FormatOf(QTextDocument& document, const QString& needle)
{
    const QTextCursor found = document.find(needle);
    if (found.isNull())
        return {};
    QTextCursor cursor(&document);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QString FamilyOf(const QTextCharFormat& format)
{
    return format.fontFamilies().toStringList().value(0);
}

bool HasProblem(const RtfReader& reader, RtfError error)
{
    for (const auto& problem : reader.problems()) {
        if (problem.error == error)
            return true;
    }
    return false;
}

QByteArray PngHex(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex();
}

// The words of a text, for comparing a document with another program's export: links written as
// text("url") lose the url, table cell bars and image placeholders count as spaces.
QStringList Words(QString text)
{
    static const QRegularExpression link(QStringLiteral("\\((\"[^\"]*\"|(https?|mailto|file|ftp):[^)]*)\\)"));
    text.replace(link, QStringLiteral(" "));
    for (QChar& c : text) {
        if (c.isSpace() || c == QLatin1Char('|') || c == QChar(0x2028) || c == QChar(0xA0) ||
            c == QChar::ObjectReplacementCharacter)
            c = QLatin1Char(' ');
    }
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList Paragraphs(const QString& text)
{
    QStringList result;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList words = Words(line);
        if (!words.isEmpty())
            result.append(words.join(QLatin1Char(' ')));
    }
    return result;
}

// A block's tab stops as "position type leader" items: "24L. 48R".
QString TabsOf(const QTextBlockFormat& format)
{
    const QString leaders = format.stringProperty(platform::rtf::TabLeadersProperty);
    QStringList items;
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    for (qsizetype i = 0; i < tabs.size(); ++i) {
        const QChar leader = i < leaders.size() ? leaders.at(i) : QLatin1Char(' ');
        items.append(QString::number(tabs[i].position) + QStringLiteral("LRCD").at(tabs[i].type) +
                     (leader == QLatin1Char(' ') ? QString() : QString(leader)));
    }
    return items.join(QLatin1Char(' '));
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readText_givesPlainText_data();
    void readText_givesPlainText();
    void codePages_decodeBytes_data();
    void codePages_decodeBytes();
    void characterFormats_areApplied();
    void plain_resetsCharacterFormat();
    void groupEnd_restoresFormat();
    void paragraphFormats_areApplied_data();
    void paragraphFormats_areApplied();
    void pard_resetsParagraphFormat();
    void tabStops_areReadAndWrittenBack_data();
    void tabStops_areReadAndWrittenBack();
    void hangingParagraph_alignsTextAtLeftIndent();
    void fontTableWithoutGroups_isRead();
    void faces_showWithTheirMetricTwins_data();
    void faces_showWithTheirMetricTwins();
    void fontNameInCharset_isDecoded();
    void colorTableAutoEntry_leavesDefaultColor();
    void hyperlinkField_becomesAnchor();
    void pngPicture_becomesImage();
    void jpegPictureInShpPict_becomesImage();
    void metafilePicture_isSkipped();
    void pictures_showAtTheirSize_data();
    void pictures_showAtTheirSize();
    void binaryPicture_becomesImage();
    void readDevice_readsBuffer();
    void looksLikeRtf_recognisesSignature_data();
    void looksLikeRtf_recognisesSignature();
    void notRtf_isRefused();

    void hostile_unbalancedClosingBraces_areIgnored();
    void hostile_missingClosingBraces_keepText();
    void hostile_deepNesting_isFlattened();
    void hostile_hugeNumbers_areClamped();
    void hostile_binWithHugeLength_skipsToEnd();
    void hostile_negativeBin_readsNothing();
    void hostile_truncatedHex_isReported();
    void hostile_badHex_isDropped();
    void hostile_longControlWord_isUnknown();
    void hostile_binaryGarbage_doesNotStopReading();
    void hostile_hugePictureDimensions_areSkipped();
    void hostile_manyFonts_areBounded();
    void hostile_overlongRunsAndParagraphs_getBreaks();

    void samples_matchOtherProgramsText_data();
    void samples_matchOtherProgramsText();
    void libreOfficeFixtures_matchItsTextExport_data();
    void libreOfficeFixtures_matchItsTextExport();
    void libreOfficeFixture_keepsFormats();
};

void TestRtfReader::readText_givesPlainText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 Hello\\par World}") << QStringLiteral("Hello\nWorld");
    QTest::newRow("line break") << QByteArray("{\\rtf1 a\\line b}") << QStringLiteral("a\u2028b");
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << QStringLiteral("a\tb");
    QTest::newRow("escaped braces and backslash")
        << QByteArray("{\\rtf1 \\{x\\}\\\\}") << QStringLiteral("{x}\\");
    QTest::newRow("delimiter space belongs to word")
        << QByteArray("{\\rtf1 \\b bold\\b0  x}") << QStringLiteral("bold x");
    QTest::newRow("cr lf ignored") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << QStringLiteral("abcd");
    QTest::newRow("backslash newline is paragraph")
        << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\nb");
    QTest::newRow("symbols") << QByteArray(
                                    "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
                             << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D");
    QTest::newRow("control symbols") << QByteArray("{\\rtf1 a\\~b\\-c\\_d}")
                                     << QStringLiteral("a\u00A0b\u00ADc\u2011d");
    QTest::newRow("unicode with one fallback")
        << QByteArray("{\\rtf1\\uc1\\u8364?x}") << QStringLiteral("\u20ACx");
    QTest::newRow("unicode with hex fallback")
        << QByteArray("{\\rtf1\\uc1\\u8364\\'80x}") << QStringLiteral("\u20ACx");
    QTest::newRow("unicode with two fallbacks")
        << QByteArray("{\\rtf1\\uc2\\u8364\\'80\\'80x}") << QStringLiteral("\u20ACx");
    QTest::newRow("unicode without fallback")
        << QByteArray("{\\rtf1\\uc0\\u8364 x}") << QStringLiteral("\u20ACx");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1\\u-3913?}") << QStringLiteral("\uF0B7");
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\u-10179?\\u-8704?}")
                                    << QStringLiteral("\U0001F600");
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1{\\uc2\\u8364??}\\u8364?x}") << QStringLiteral("\u20AC\u20ACx");
    QTest::newRow("fallback stops at group end")
        << QByteArray("{\\rtf1\\uc3{\\u8364}x}") << QStringLiteral("\u20ACx");
    QTest::newRow("ignorable destination skipped")
        << QByteArray("{\\rtf1 a{\\*\\foo skipped{\\b x}}b}") << QStringLiteral("ab");
    QTest::newRow("unknown word ignored, text kept")
        << QByteArray("{\\rtf1 a\\foo b}") << QStringLiteral("ab");
    QTest::newRow("known destinations skipped")
        << QByteArray("{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\header H}{\\footnote F}x}")
        << QStringLiteral("x");
    QTest::newRow("field result kept")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}}")
        << QStringLiteral("link");
    QTest::newRow("hidden text skipped") << QByteArray("{\\rtf1 a{\\v hidden}b}") << QStringLiteral("ab");
    QTest::newRow("table row") << QByteArray("{\\rtf1\\trowd\\cellx1\\cellx2 \\intbl A\\cell B\\cell\\row C}")
                               << QStringLiteral("A\tB\nC");
    QTest::newRow("empty table cell")
        << QByteArray("{\\rtf1\\intbl A\\cell\\cell C\\cell\\row}") << QStringLiteral("A\t\tC\n");
    QTest::newRow("bin skipped") << QByteArray("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
    QTest::newRow("upr takes the unicode half")
        << QByteArray("{\\rtf1{\\upr{ansi}{\\*\\ud{\\u8364?}}}}") << QStringLiteral("\u20AC");
    QTest::newRow("list text kept") << QByteArray("{\\rtf1{\\listtext \\'b7\\tab}item}")
                                    << QStringLiteral("\u00B7\titem");
    QTest::newRow("picture alternative skipped")
        << QByteArray("{\\rtf1 a{\\nonshppict{\\pict\\wmetafile8 0102}}b}") << QStringLiteral("ab");
    QTest::newRow("text after the document ignored")
        << QByteArray("{\\rtf1 a} trailing") << QStringLiteral("a");
    QTest::newRow("list numbers from the list table")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00.;}}"
                      "{\\listlevel\\levelnfc4{\\leveltext\\'03(\\'01);}}\\listid7}{\\list{\\listlevel\\levelnfc23"
                      "{\\leveltext\\'01\\u-3913 ?;}}\\listid8}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}"
                      "{\\listoverride\\listid8\\ls2}}\\pard\\ls1 a\\par b\\par\\ilvl1 c\\par d\\par\\pard\\ls2 e\\par"
                      "{\\listtext 9.\\tab}\\ls1\\ilvl0 f\\par\\pard g}")
        << QStringLiteral("3.\ta\n4.\tb\n(a)\tc\n(b)\td\n\u2022\te\n9.\tf\ng");
    QTest::newRow("nested cells")
        << QByteArray("{\\rtf1\\pard\\intbl\\itap2 a\\nestcell{\\*\\nesttableprops\\itap2 b\\nestcell\\nestrow}c\\cell\\row}")
        << QStringLiteral("a\tb\nc\n");
    QTest::newRow("second document after the first")
        << QByteArray("{\\rtf1 a}\r\nB:{\\rtf1 c}") << QStringLiteral("aB:c");
    QTest::newRow("control characters dropped")
        << QByteArray("{\\rtf1 a\x01\x02 b\\'07}") << QStringLiteral("a b");
}

void TestRtfReader::readText_givesPlainText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(ReadText(rtf), text);
}

void TestRtfReader::codePages_decodeBytes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("1252 default") << QByteArray("{\\rtf1\\ansi \\'e9\\'80\\'96}")
                                  << QStringLiteral("\u00E9\u20AC\u2013");
    QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8\\'f8}")
                          << QStringLiteral("\u0161\u010D\u0159");
    QTest::newRow("1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}")
                          << QStringLiteral("\u041F\u0440\u0438");
    QTest::newRow("1253") << QByteArray("{\\rtf1\\ansi\\ansicpg1253 \\'e1\\'e2\\'e3}")
                          << QStringLiteral("\u03B1\u03B2\u03B3");
    QTest::newRow("1254") << QByteArray("{\\rtf1\\ansi\\ansicpg1254 \\'f0\\'fe\\'dd}")
                          << QStringLiteral("\u011F\u015F\u0130");
    QTest::newRow("1257") << QByteArray("{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'e8\\'eb}")
                          << QStringLiteral("\u0105\u010D\u0117");
    QTest::newRow("raw 8-bit text") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}")
                                    << QStringLiteral("\u041F\u0440\u0438");
    QTest::newRow("pc is 437") << QByteArray("{\\rtf1\\pc \\'82\\'b0}") << QStringLiteral("\u00E9\u2591");
    QTest::newRow("pca is 850") << QByteArray("{\\rtf1\\pca \\'82\\'d0}") << QStringLiteral("\u00E9\u00F0");
    QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e\\'a5}") << QStringLiteral("\u00E9\u2022");
    QTest::newRow("mac japanese") << QByteArray("{\\rtf1\\mac\\ansicpg10001 \\'82\\'a0\\'83A}")
                                  << QStringLiteral("\u3042\u30A2");
    QTest::newRow("mac central european") << QByteArray("{\\rtf1\\mac\\ansicpg10029 \\'e4\\'89}")
                                          << QStringLiteral("\u0161\u010C");
    QTest::newRow("mac cyrillic charset")
        << QByteArray("{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset89 Cyr;}}\\f0 \\'8f\\'f0}") << QStringLiteral("\u041F\u0440");
    QTest::newRow("mac korean charset")
        << QByteArray("{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset79 Seoul;}}\\f0 \\'c7\\'d1}") << QStringLiteral("\uD55C");
    QTest::newRow("euc-kr") << QByteArray("{\\rtf1\\ansicpg51949 \\'c7\\'d1}") << QStringLiteral("\uD55C");
    QTest::newRow("font charset overrides document page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial "
                      "Cyr;}}\\f0\\'e9{\\f1\\'e9}\\'e9}")
        << QStringLiteral("\u00E9\u0439\u00E9");
    QTest::newRow("font cpg overrides charset")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1253 Greek;}}\\f0\\'e1}")
        << QStringLiteral("\u03B1");
    QTest::newRow("shift-jis pairs") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}")
                                     << QStringLiteral("\u3042\u3044");
    QTest::newRow("shift-jis literal trail byte")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'83A}") << QStringLiteral("\u30A2");
    QTest::newRow("gbk") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0}")
                         << QStringLiteral("\u4E2D");
}

void TestRtfReader::codePages_decodeBytes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(ReadText(rtf), text);
}

void TestRtfReader::characterFormats_areApplied()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "plain \\f1\\fs40\\b\\i\\ul\\strike\\cf1\\highlight2 all\\b0\\i0\\ulnone\\strike0\\cf0\\highlight0 "
        "none "
        "\\super up\\nosupersub\\sub down}",
        &document));
    const QTextCharFormat plain = FormatOf(document, QStringLiteral("plain"));
    QCOMPARE(FamilyOf(plain), QStringLiteral("Arial"));
    QCOMPARE(plain.fontPointSize(), 12.0);
    QCOMPARE(plain.fontWeight(), int(QFont::Normal));
    const QTextCharFormat all = FormatOf(document, QStringLiteral("all"));
    QCOMPARE(FamilyOf(all), QStringLiteral("Times New Roman"));
    QCOMPARE(all.fontPointSize(), 20.0);
    QCOMPARE(all.fontWeight(), int(QFont::Bold));
    QVERIFY(all.fontItalic());
    QVERIFY(all.fontUnderline());
    QVERIFY(all.fontStrikeOut());
    QCOMPARE(all.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(all.background().color(), QColor(0, 0, 255));
    const QTextCharFormat none = FormatOf(document, QStringLiteral("none"));
    QCOMPARE(none.fontWeight(), int(QFont::Normal));
    QVERIFY(!none.fontItalic());
    QVERIFY(!none.fontUnderline());
    QVERIFY(!none.fontStrikeOut());
    QCOMPARE(none.foreground().style(), Qt::NoBrush);
    QCOMPARE(none.background().style(), Qt::NoBrush);
    QCOMPARE(FormatOf(document, QStringLiteral("up")).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(FormatOf(document, QStringLiteral("down")).verticalAlignment(), QTextCharFormat::AlignSubScript);
}

void TestRtfReader::plain_resetsCharacterFormat()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}\\f1\\fs20\\b\\i x\\plain y}", &document));
    const QTextCharFormat y = FormatOf(document, QStringLiteral("y"));
    QCOMPARE(FamilyOf(y), QStringLiteral("Arial"));
    QCOMPARE(y.fontPointSize(), 12.0);
    QCOMPARE(y.fontWeight(), int(QFont::Normal));
    QVERIFY(!y.fontItalic());
}

void TestRtfReader::groupEnd_restoresFormat()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1 a{\\b\\fs30 b}c}", &document));
    QCOMPARE(FormatOf(document, QStringLiteral("b")).fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatOf(document, QStringLiteral("c")).fontWeight(), int(QFont::Normal));
    QCOMPARE(FormatOf(document, QStringLiteral("c")).fontPointSize(), 12.0);
}

void TestRtfReader::paragraphFormats_areApplied_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<qreal>("left");
    QTest::addColumn<qreal>("right");
    QTest::addColumn<qreal>("first");
    QTest::addColumn<qreal>("before");
    QTest::addColumn<qreal>("after");
    QTest::newRow("left") << QByteArray("\\ql") << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("centre") << QByteArray("\\qc") << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("right") << QByteArray("\\qr") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("justify") << QByteArray("\\qj") << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0 << 0.0
                             << 0.0;
    QTest::newRow("indents") << QByteArray("\\li1440\\ri720\\fi-360") << int(Qt::AlignLeft) << 96.0 << 48.0
                             << -24.0 << 0.0 << 0.0;
    QTest::newRow("spacing") << QByteArray("\\sb240\\sa120") << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0
                             << 16.0 << 8.0;
}

void TestRtfReader::paragraphFormats_areApplied()
{
    QFETCH(QByteArray, words);
    QFETCH(int, alignment);
    QFETCH(qreal, left);
    QFETCH(qreal, right);
    QFETCH(qreal, first);
    QFETCH(qreal, before);
    QFETCH(qreal, after);
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1\\pard" + words + " text\\par next}", &document));
    const QTextBlockFormat format = document.firstBlock().blockFormat();
    QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(format.leftMargin(), left);
    QCOMPARE(format.rightMargin(), right);
    QCOMPARE(format.textIndent(), first);
    QCOMPARE(format.topMargin(), before);
    QCOMPARE(format.bottomMargin(), after);
}

void TestRtfReader::pard_resetsParagraphFormat()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1\\qc\\li720 one\\par two\\par\\pard three}", &document));
    QCOMPARE(document.blockCount(), 3);
    QCOMPARE(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document.findBlockByNumber(1).blockFormat().leftMargin(), 48.0);
    QCOMPARE(int(document.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask),
             int(Qt::AlignLeft));
    QCOMPARE(document.findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
}

void TestRtfReader::tabStops_areReadAndWrittenBack_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QString>("tabs");
    QTest::newRow("left") << QByteArray("\\tx720\\tx1440") << QStringLiteral("48L 96L");
    QTest::newRow("kinds") << QByteArray("\\tqr\\tx720\\tqc\\tx1440\\tqdec\\tx2160")
                           << QStringLiteral("48R 96C 144D");
    QTest::newRow("leaders") << QByteArray("\\tldot\\tx720\\tqr\\tlhyph\\tx1440\\tlul\\tx2160\\tleq\\tx2880")
                             << QStringLiteral("48L. 96R- 144L_ 192L=");
    QTest::newRow("unsorted") << QByteArray("\\tx1440\\tx720\\tx720") << QStringLiteral("48L 96L");
    QTest::newRow("bar tab") << QByteArray("\\tqr\\tb500\\tx720") << QStringLiteral("48L");
    // Positions count from where the first line starts.
    QTest::newRow("indented") << QByteArray("\\li720\\tx1440") << QStringLiteral("48L");
    QTest::newRow("hanging") << QByteArray("\\fi-360\\li720") << QStringLiteral("24Li");
    QTest::newRow("hanging with stop") << QByteArray("\\fi-360\\li720\\tx720") << QStringLiteral("24L");
    QTest::newRow("hanging before") << QByteArray("\\fi-720\\li1440\\tx1080") << QStringLiteral("24L 48Li");
}

void TestRtfReader::tabStops_areReadAndWrittenBack()
{
    QFETCH(QByteArray, words);
    QFETCH(QString, tabs);
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1\\pard" + words + " 1.\\tab text\\par next}", &document));
    QCOMPARE(TabsOf(document.firstBlock().blockFormat()), tabs);
    QTextDocument again;
    QVERIFY(platform::rtf::ReadRtf(platform::rtf::WriteRtf(document), &again));
    QCOMPARE(TabsOf(again.firstBlock().blockFormat()), tabs);
}

void TestRtfReader::hangingParagraph_alignsTextAtLeftIndent()
{
    QTextDocument document;
    document.setDocumentMargin(0);
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1\\deftab1440\\pard\\fi-360\\li720\\tx720 1.\\tab Step one and "
                                   "enough words to wrap the paragraph onto lines of its own\\par}",
                                   &document));
    QCOMPARE(document.defaultTextOption().tabStopDistance(), 96.0);
    document.setTextWidth(200);
    QVERIFY(document.size().height() > 0); // lays the document out
    QTextLayout* layout = document.firstBlock().layout();
    QVERIFY(layout->lineCount() > 1);
    const QTextLine first = layout->lineAt(0);
    QCOMPARE(first.cursorToX(3), 48.0); // "Step", after "1." and the tab
    for (int i = 1; i < layout->lineCount(); ++i)
        QCOMPARE(layout->lineAt(i).x(), 48.0);
    const QByteArray written = platform::rtf::WriteRtf(document);
    QVERIFY(written.contains("\\deftab1440"));
    QVERIFY(written.contains("\\fi-360\\tx720"));
}

void TestRtfReader::faces_showWithTheirMetricTwins_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("twin");
    QTest::newRow("Calibri") << QStringLiteral("Calibri") << QStringLiteral("Carlito");
    QTest::newRow("Cambria") << QStringLiteral("Cambria") << QStringLiteral("Caladea");
    QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans");
    QTest::newRow("Times New Roman") << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif");
    QTest::newRow("Courier New") << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono");
}

void TestRtfReader::faces_showWithTheirMetricTwins()
{
    QFETCH(QString, face);
    QFETCH(QString, twin);
    if (!QFontDatabase::families().contains(twin))
        QSKIP("the twin face is not installed (scripts/install-deps.sh installs it)");
    shell::InstallFaceSubstitutions();
    QCOMPARE(QFontInfo(QFont(face)).family(), twin);
}

void TestRtfReader::fontTableWithoutGroups_isRead()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fmodern Courier;}\\f1 x}",
                                   &document));
    QCOMPARE(FamilyOf(FormatOf(document, QStringLiteral("x"))), QStringLiteral("Courier"));
}

void TestRtfReader::fontNameInCharset_isDecoded()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(
        "{\\rtf1{\\fonttbl{\\f0\\fcharset238{\\*\\panose 0}Arial \\'8aer{\\*\\falt Other};}}\\f0 x}",
        &document));
    QCOMPARE(FamilyOf(FormatOf(document, QStringLiteral("x"))), QStringLiteral("Arial \u0160er"));
}

void TestRtfReader::colorTableAutoEntry_leavesDefaultColor()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\cf0 a\\cf1 b\\cf9 c}",
                                   &document));
    QCOMPARE(FormatOf(document, QStringLiteral("a")).foreground().style(), Qt::NoBrush);
    QCOMPARE(FormatOf(document, QStringLiteral("b")).foreground().color(), QColor(0, 128, 0));
    QCOMPARE(FormatOf(document, QStringLiteral("c")).foreground().style(), Qt::NoBrush);
}

void TestRtfReader::hyperlinkField_becomesAnchor()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(
        "{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a\"}}{\\fldrslt{\\ul site}}} after}",
        &document));
    const QTextCharFormat link = FormatOf(document, QStringLiteral("site"));
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("https://example.org/a"));
    QVERIFY(!FormatOf(document, QStringLiteral("after")).isAnchor());
}

void TestRtfReader::pngPicture_becomesImage()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1 a{\\pict\\pngblip\\picw4\\pich3\\picwgoal1440\\pichgoal720 " +
                                       PngHex(4, 3) + "}b}",
                                   &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("a\uFFFCb"));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QVERIFY(format.isValid());
    QCOMPARE(format.width(), 96.0);
    QCOMPARE(format.height(), 48.0);
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(image.size(), QSize(4, 3));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
}

void TestRtfReader::jpegPictureInShpPict_becomesImage()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "JPG"));
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1{\\*\\shppict{\\pict\\jpegblip " + jpeg.toHex() +
                                       "}}{\\nonshppict{\\pict\\wmetafile8 00}}}",
                                   &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("\uFFFC"));
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().toImageFormat().width(), 8.0);
}

void TestRtfReader::metafilePicture_isSkipped()
{
    QCOMPARE(ReadText("{\\rtf1 a{\\pict\\wmetafile8\\picw10\\pich10 0102030405}b}"), QStringLiteral("ab"));
}

void TestRtfReader::pictures_showAtTheirSize_data()
{
    QTest::addColumn<QByteArray>("pict");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("middle"); // white: the placeholder's face
    const QByteArray wmf = SolidMetafile(200, 100, Qt::red, false).toHex();
    QTest::newRow("wmf at its goal") << "\\wmetafile8\\picw5292\\pich2646\\picwgoal3000\\pichgoal1500 " + wmf
                                     << QSize(200, 100) << QColor(Qt::red);
    QTest::newRow("wmf at its hundredths of mm") << "\\wmetafile8\\picw5292\\pich2646 " + wmf << QSize(200, 100)
                                                 << QColor(Qt::red);
    QTest::newRow("wmf scaled") << "\\wmetafile8\\picwgoal3000\\pichgoal1500\\picscalex50\\picscaley200 " + wmf
                                << QSize(100, 200) << QColor(Qt::red);
    QTest::newRow("png scaled") << "\\pngblip\\picscalex50 " + PngHex(40, 20) << QSize(20, 20) << QColor(Qt::red);
    QTest::newRow("damaged wmf") << QByteArray("\\wmetafile8\\picwgoal1500\\pichgoal750 0102030405") << QSize(100, 50)
                                 << QColor(Qt::white);
    QTest::newRow("damaged png") << QByteArray("\\pngblip\\picwgoal600\\pichgoal300 89504e47") << QSize(40, 20)
                                 << QColor(Qt::white);
    QTest::newRow("mac pict") << QByteArray("\\macpict\\picwgoal600\\pichgoal300 0102") << QSize(40, 20)
                              << QColor(Qt::white);
}

void TestRtfReader::pictures_showAtTheirSize()
{
    QFETCH(QByteArray, pict);
    QFETCH(QSize, size);
    QFETCH(QColor, middle);
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1 a{\\pict" + pict + "}b}", &document));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QVERIFY(format.isValid());
    QCOMPARE(QSizeF(format.width(), format.height()).toSize(), size);
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 3), middle);
}

void TestRtfReader::binaryPicture_becomesImage()
{
    const QByteArray png = QByteArray::fromHex(PngHex(2, 2));
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(
        "{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}b}", &document));
    QCOMPARE(document.toRawText(), QStringLiteral("a\uFFFCb"));
}

void TestRtfReader::readDevice_readsBuffer()
{
    QByteArray data("{\\rtf1 from device}");
    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(&buffer, &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("from device"));
    QCOMPARE(reader.error().error, RtfError::None);
}

void TestRtfReader::looksLikeRtf_recognisesSignature_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("rtf") << QByteArray("{\\rtf1 x}") << true;
    QTest::newRow("leading white space") << QByteArray(" \r\n{\\rtf1}") << true;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF{\\rtf1}") << true;
    QTest::newRow("plain text") << QByteArray("Hello {\\rtf1}") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("brace only") << QByteArray("{") << false;
    QTest::newRow("other group") << QByteArray("{\\rt}") << false;
}

void TestRtfReader::looksLikeRtf_recognisesSignature()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, rtf);
    QCOMPARE(platform::rtf::LooksLikeRtf(data), rtf);
}

void TestRtfReader::notRtf_isRefused()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("old"));
    RtfReader reader;
    QVERIFY(!reader.read(QByteArray("just text"), &document));
    QCOMPARE(reader.error().error, RtfError::NotRtf);
    QCOMPARE(document.toPlainText(), QStringLiteral("old"));
}

void TestRtfReader::hostile_unbalancedClosingBraces_areIgnored()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(QByteArray("{\\rtf1 a}}}"), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("a"));
    QCOMPARE(reader.error().error, RtfError::UnbalancedGroups);
    QCOMPARE(reader.error().position, 9);
}

void TestRtfReader::hostile_missingClosingBraces_keepText()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(QByteArray("{\\rtf1 a{\\b b{\\i c"), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("abc"));
    QCOMPARE(reader.error().error, RtfError::UnexpectedEnd);
}

void TestRtfReader::hostile_deepNesting_isFlattened()
{
    const int depth = 100000;
    const QByteArray rtf = "{\\rtf1 " + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " after}";
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(rtf, &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("deep after"));
    QVERIFY(HasProblem(reader, RtfError::GroupTooDeep));
    QVERIFY(!HasProblem(reader, RtfError::UnbalancedGroups));
}

void TestRtfReader::hostile_hugeNumbers_areClamped()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(
        QByteArray("{\\rtf1\\fs999999999999999999999 a\\li-99999999999 b\\u99999999999?c\\uc99999999 "
                   "\\cf2147483647 d}"),
        &document));
    QVERIFY(HasProblem(reader, RtfError::NumberOutOfRange));
    QCOMPARE(FormatOf(document, QStringLiteral("a")).fontPointSize(), 1638.0);
    QCOMPARE(document.firstBlock().blockFormat().leftMargin(), -31680 / 15.0);
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("ab")));
    QVERIFY(document.toPlainText().endsWith(QLatin1Char('d')) ||
            document.toPlainText().endsWith(QLatin1Char('c')));
}

void TestRtfReader::hostile_binWithHugeLength_skipsToEnd()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(QByteArray("{\\rtf1 a\\bin2147483647 xyz}"), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("a"));
    QVERIFY(HasProblem(reader, RtfError::BinaryTooLong));
}

void TestRtfReader::hostile_negativeBin_readsNothing()
{
    QCOMPARE(ReadText("{\\rtf1 a\\bin-5 b}"), QStringLiteral("ab"));
}

void TestRtfReader::hostile_truncatedHex_isReported()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(QByteArray("{\\rtf1 a\\'4"), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("a"));
    QCOMPARE(reader.error().error, RtfError::UnexpectedEnd);
    QCOMPARE(reader.error().position, 8);
}

void TestRtfReader::hostile_badHex_isDropped()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read(QByteArray("{\\rtf1 a\\'zzb\\'4xc}"), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("azzbxc"));
    QCOMPARE(reader.error().error, RtfError::BadHex);
    QCOMPARE(reader.error().position, 8);
}

void TestRtfReader::hostile_longControlWord_isUnknown()
{
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read("{\\rtf1 a\\" + QByteArray(100000, 'b') + "123 c}", &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("ac"));
    QCOMPARE(reader.error().error, RtfError::WordTooLong);
}

void TestRtfReader::hostile_binaryGarbage_doesNotStopReading()
{
    QByteArray garbage;
    quint32 seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245 + 12345;
        garbage += char(seed >> 16);
    }
    RtfReader reader;
    QTextDocument document;
    QVERIFY(reader.read("{\\rtf1 start" + garbage, &document));
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("start")));
    QVERIFY(reader.problems().size() <= platform::rtf::RtfTokenizer::kMaxProblems);
}

void TestRtfReader::hostile_hugePictureDimensions_areSkipped()
{
    // A PNG header that claims 100000 x 100000 pixels, with no data behind it.
    const QByteArray png =
        QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000a8520bc8");
    QCOMPARE(ReadText("{\\rtf1 a{\\pict\\pngblip " + png.toHex() + "}b}"), QStringLiteral("ab"));
}

void TestRtfReader::hostile_manyFonts_areBounded()
{
    QByteArray rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 10000; ++i)
        rtf += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    rtf += "}\\f9999 x\\f1 y}";
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(rtf, &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("xy"));
    QCOMPARE(FamilyOf(FormatOf(document, QStringLiteral("y"))), QStringLiteral("F1"));
}

void TestRtfReader::samples_matchOtherProgramsText_data()
{
    QTest::addColumn<QString>("rtfPath");
    QTest::addColumn<QString>("expectedPath");
    const QString shared = SharedDir();
    if (shared.isEmpty())
        QSKIP("the shared RTF samples are not available");
    const QDir dir(shared + QStringLiteral("/rtf-samples"));
    for (const QString& name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name)) {
        const QString expected = dir.filePath(name.chopped(4) + QStringLiteral(".expected.txt"));
        if (QFile::exists(expected))
            QTest::newRow(qPrintable(name)) << dir.filePath(name) << expected;
    }
}

void TestRtfReader::samples_matchOtherProgramsText()
{
    QFETCH(QString, rtfPath);
    QFETCH(QString, expectedPath);
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(ReadAll(rtfPath), &document));
    const QString expected = QString::fromUtf8(ReadAll(expectedPath));
    QCOMPARE(Words(document.toPlainText()), Words(expected));
    QCOMPARE(Paragraphs(document.toPlainText()).size() > 0, Paragraphs(expected).size() > 0);
}

// The fixtures were made with LibreOffice Writer 7.4 headless from the .html files beside them
// (convert-to "rtf:Rich Text Format"); the .txt files are LibreOffice's own UTF-8 text export of
// each .rtf (convert-to "txt:Text (encoded):UTF8").
void TestRtfReader::libreOfficeFixtures_matchItsTextExport_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"lo_formats", "lo_table", "lo_unicode", "lo_lists"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestRtfReader::libreOfficeFixtures_matchItsTextExport()
{
    QFETCH(QString, name);
    const QString rtfPath = QFINDTESTDATA(QStringLiteral("fixtures/") + name + QStringLiteral(".rtf"));
    const QString textPath = QFINDTESTDATA(QStringLiteral("fixtures/") + name + QStringLiteral(".txt"));
    QVERIFY(!rtfPath.isEmpty() && !textPath.isEmpty());
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(ReadAll(rtfPath), &document));
    QCOMPARE(reader.error().error, RtfError::None);
    QString expected = QString::fromUtf8(ReadAll(textPath));
    expected.remove(QChar(0xFEFF));
    QCOMPARE(Words(document.toPlainText()), Words(expected));
    // The export ends a line at every paragraph and line break, and puts every table cell on a
    // line of its own.
    if (name != QLatin1String("lo_table")) {
        QString lines = document.toRawText();
        lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
            .replace(QChar::LineSeparator, QLatin1Char('\n'));
        QCOMPARE(Paragraphs(lines), Paragraphs(expected));
    }
}

void TestRtfReader::libreOfficeFixture_keepsFormats()
{
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf(ReadAll(QFINDTESTDATA("fixtures/lo_formats.rtf")), &document));
    QCOMPARE(FormatOf(document, QStringLiteral("volcano")).fontWeight(), int(QFont::Bold));
    QVERIFY(FormatOf(document, QStringLiteral("crust")).fontItalic());
    QVERIFY(FormatOf(document, QStringLiteral("active")).fontUnderline());
    QVERIFY(FormatOf(document, QStringLiteral("extinct")).fontStrikeOut());
    const QTextCharFormat red = FormatOf(document, QStringLiteral("Centred red"));
    QCOMPARE(FamilyOf(red), QStringLiteral("Courier New"));
    QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(red.fontPointSize(), 18.0);
    QCOMPARE(FormatOf(document, QStringLiteral("highlight")).background().color(), QColor(255, 255, 0));
    QCOMPARE(document.find(QStringLiteral("Centred")).block().blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(int(document.find(QStringLiteral("Right aligned")).block().blockFormat().alignment() &
                 Qt::AlignHorizontal_Mask),
             int(Qt::AlignRight));
    QCOMPARE(document.find(QStringLiteral("Justified")).block().blockFormat().alignment(), Qt::AlignJustify);
    QCOMPARE(FamilyOf(FormatOf(document, QStringLiteral("Volcanoes"))),
             QStringLiteral("Liberation Sans Unicode MS"));
}

// A page of megabytes without a blank or a paragraph end would be laid out as one line in one
// piece, which takes minutes; it gets break opportunities and paragraphs of bounded length, its
// text otherwise whole. Ordinary text is untouched.
void TestRtfReader::hostile_overlongRunsAndParagraphs_getBreaks()
{
    const QString word(3 * 1000 * 1000, QLatin1Char('w'));
    QTextDocument document;
    QVERIFY(platform::rtf::ReadRtf("{\\rtf1 " + word.toLatin1() + " end}", &document));
    QString text = document.toRawText();
    QVERIFY(document.blockCount() >= 60);
    qsizetype run = 0;
    qsizetype longest = 0;
    for (const QChar c : text) {
        run = (c.isSpace() || c == QChar(0x200b) || c == QChar::ParagraphSeparator) ? 0 : run + 1;
        longest = qMax(longest, run);
    }
    QVERIFY(longest <= 250);
    text.remove(QChar(0x200b)).remove(QChar::ParagraphSeparator);
    QCOMPARE(text, word + QStringLiteral(" end"));

    // A cell's end is a break as a written tab is, so the text reads the same written back.
    QVERIFY(!ReadText("{\\rtf1 " + QByteArray(200, 'x') + "\\cell " + QByteArray(100, 'y') + "}").contains(QChar(0x200b)));

    const QString prose = QStringLiteral("Lava flows downhill. ").repeated(2000);
    QCOMPARE(ReadText("{\\rtf1 " + prose.toLatin1() + "}"), prose);
}

QTEST_MAIN(TestRtfReader)

#include "tst_rtfreader.moc"
