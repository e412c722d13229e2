// Covers the RTF writer: round trips of text and of every format the page editor offers, the
// encoding of characters, deterministic output, the line-start guard and stored page lines.
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtTest>

using platform::rtf::DefaultPageCharFormat;
using platform::rtf::LoadRtfLines;
using platform::rtf::RtfLines;
using platform::rtf::WriteRtf;

namespace {

QString Family(const QTextCharFormat& format)
{
    return format.fontFamilies().toStringList().value(0);
}

// What a run looks like to the user, for comparing documents.
struct Run
{
    QString text;
    QString family;
    qreal size;
    bool bold, italic, underline, strike;
    QColor foreground, background;
    int vertical;
    bool operator==(const Run&) const = default;
};

QList<Run> Runs(const QTextDocument& document)
{
    QList<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const auto color = [&](QTextFormat::Property p) {
                return f.hasProperty(p) && f.brushProperty(p).style() != Qt::NoBrush
                           ? f.brushProperty(p).color()
                           : QColor();
            };
            runs.append({it.fragment().text(), Family(f), f.fontPointSize(),
                         f.fontWeight() >= QFont::DemiBold, f.fontItalic(), f.fontUnderline(),
                         f.fontStrikeOut(), color(QTextFormat::ForegroundBrush),
                         color(QTextFormat::BackgroundBrush), int(f.verticalAlignment())});
        }
        runs.append({QStringLiteral("<par>"), {}, 0, false, false, false, false, {}, {}, 0});
    }
    return runs;
}

QString RawText(const QTextDocument& document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

std::unique_ptr<QTextDocument> RoundTrip(const QTextDocument& document)
{
    auto copy = std::make_unique<QTextDocument>();
    if (!platform::rtf::ReadRtf(WriteRtf(document), copy.get()))
        return nullptr;
    return copy;
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_keepsText_data();
    void roundTrip_keepsText();
    void roundTrip_keepsCharacterFormat_data();
    void roundTrip_keepsCharacterFormat();
    void roundTrip_keepsParagraphFormat_data();
    void roundTrip_keepsParagraphFormat();
    void roundTrip_keepsMixedRuns();
    void roundTrip_keepsImage();
    void write_encodesCharacters_data();
    void write_encodesCharacters();
    void write_isSevenBit();
    void write_isDeterministic();
    void write_listsFontsAndColorsInOrderOfUse();
    void write_escapesFontNames();
    void write_toDevice();
    void lines_neverStartWithBracket_data();
    void lines_neverStartWithBracket();
    void lines_longParagraphIsSplitBeforeControlWords();
    void lines_haveNoLineEnds();
    void loadLines_readsRtf();
    void loadLines_plainTextUsesDefaultFormat();
    void loadLines_emptyGivesEmptyPageInDefaultFormat();
    void defaultPageFormat_isBoldMsSansSerifTenPoint();
};

void TestRtfWriter::roundTrip_keepsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("Hello, world!");
    QTest::newRow("paragraphs") << QStringLiteral("one\ntwo\n\nfour");
    QTest::newRow("leading and double spaces") << QStringLiteral("  two  spaces");
    QTest::newRow("backslash and braces") << QStringLiteral("a\\b{c}d\\par");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("line separator") << QStringLiteral("a\u2028b");
    QTest::newRow("windows-1252") << QStringLiteral("caf\u00E9 \u20AC5 \u201Cquoted\u201D \u2013 \u00FF");
    QTest::newRow("greek and cyrillic") << QStringLiteral("\u03B1\u03B2\u03B3 \u041F\u0440\u0438");
    QTest::newRow("cjk") << QStringLiteral("\u4E2D\u6587\u3042");
    QTest::newRow("outside the basic plane") << QStringLiteral("smile \U0001F600!");
    QTest::newRow("digits after unicode") << QStringLiteral("\u0416123 \u0416 x");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b");
    QTest::newRow("brackets") << QStringLiteral("[name]\n]\n[");
    QTest::newRow("empty") << QString();
}

void TestRtfWriter::roundTrip_keepsText()
{
    QFETCH(QString, text);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(RawText(*copy), RawText(document));
}

void TestRtfWriter::roundTrip_keepsCharacterFormat_data()
{
    QTest::addColumn<QTextCharFormat>("format");
    QTextCharFormat base = DefaultPageCharFormat();
    const auto with = [&](auto change) {
        QTextCharFormat f = base;
        change(f);
        return f;
    };
    QTest::newRow("default page") << base;
    QTest::newRow("face") << with(
        [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Courier New")}); });
    QTest::newRow("size") << with([](QTextCharFormat& f) { f.setFontPointSize(24); });
    QTest::newRow("half point size") << with([](QTextCharFormat& f) { f.setFontPointSize(10.5); });
    QTest::newRow("not bold") << with([](QTextCharFormat& f) { f.setFontWeight(QFont::Normal); });
    QTest::newRow("italic") << with([](QTextCharFormat& f) { f.setFontItalic(true); });
    QTest::newRow("underline") << with([](QTextCharFormat& f) { f.setFontUnderline(true); });
    QTest::newRow("strikeout") << with([](QTextCharFormat& f) { f.setFontStrikeOut(true); });
    QTest::newRow("colour") << with([](QTextCharFormat& f) { f.setForeground(QColor(0x80, 0x00, 0x80)); });
    QTest::newRow("highlight") << with([](QTextCharFormat& f) { f.setBackground(QColor(Qt::yellow)); });
    QTest::newRow("superscript") << with(
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    QTest::newRow("subscript") << with(
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    QTest::newRow("everything") << with([](QTextCharFormat& f) {
        f.setFontFamilies({QStringLiteral("Times New Roman")});
        f.setFontPointSize(14);
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setFontStrikeOut(true);
        f.setForeground(QColor(Qt::red));
    });
}

void TestRtfWriter::roundTrip_keepsCharacterFormat()
{
    QFETCH(QTextCharFormat, format);
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("plain "), DefaultPageCharFormat());
    cursor.insertText(QStringLiteral("formatted"), format);
    cursor.insertText(QStringLiteral(" plain"), DefaultPageCharFormat());
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(Runs(*copy), Runs(document));
}

void TestRtfWriter::roundTrip_keepsParagraphFormat_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<qreal>("left");
    QTest::addColumn<qreal>("indent");
    QTest::newRow("left") << int(Qt::AlignLeft) << 0.0 << 0.0;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << 0.0 << 0.0;
    QTest::newRow("right") << int(Qt::AlignRight) << 0.0 << 0.0;
    QTest::newRow("justify") << int(Qt::AlignJustify) << 0.0 << 0.0;
    QTest::newRow("indents") << int(Qt::AlignLeft) << 96.0 << -24.0;
}

void TestRtfWriter::roundTrip_keepsParagraphFormat()
{
    QFETCH(int, alignment);
    QFETCH(qreal, left);
    QFETCH(qreal, indent);
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("first"));
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(alignment));
    format.setLeftMargin(left);
    format.setTextIndent(indent);
    cursor.insertBlock(format);
    cursor.insertText(QStringLiteral("second"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("third"));
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(copy->blockCount(), 3);
    QCOMPARE(int(copy->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask),
             int(Qt::AlignLeft));
    const QTextBlockFormat second = copy->findBlockByNumber(1).blockFormat();
    QCOMPARE(int(second.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(second.leftMargin(), left);
    QCOMPARE(second.textIndent(), indent);
    QCOMPARE(int(copy->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask),
             int(Qt::AlignLeft));
}

void TestRtfWriter::roundTrip_keepsMixedRuns()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold = DefaultPageCharFormat();
    QTextCharFormat normal = bold;
    normal.setFontWeight(QFont::Normal);
    QTextCharFormat big = normal;
    big.setFontPointSize(18);
    big.setForeground(QColor(Qt::blue));
    for (int i = 0; i < 20; ++i) {
        cursor.insertText(QStringLiteral("bold %1 ").arg(i), bold);
        cursor.insertText(QStringLiteral("[normal] "), normal);
        cursor.insertText(QStringLiteral("\u00E9big "), big);
        if (i % 5 == 4)
            cursor.insertBlock();
    }
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(Runs(*copy), Runs(document));
    QCOMPARE(WriteRtf(*copy), WriteRtf(document));
}

void TestRtfWriter::roundTrip_keepsImage()
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    QTextDocument document;
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), image);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a"));
    QTextImageFormat format;
    format.setName(QStringLiteral("picture"));
    format.setWidth(50);
    format.setHeight(40);
    cursor.insertImage(format);
    cursor.insertText(QStringLiteral("b"));
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(RawText(*copy), QStringLiteral("a\uFFFCb"));
    QTextCursor at(copy.get());
    at.setPosition(2);
    const QTextImageFormat read = at.charFormat().toImageFormat();
    QCOMPARE(read.width(), 50.0);
    QCOMPARE(read.height(), 40.0);
    const QImage back = copy->resource(QTextDocument::ImageResource, QUrl(read.name())).value<QImage>();
    QCOMPARE(back.size(), QSize(5, 4));
    QCOMPARE(back.pixelColor(2, 2), QColor(Qt::green));
}

void TestRtfWriter::write_encodesCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("windows-1252 letter") << QStringLiteral("\u00E9") << QByteArray("\\'e9");
    QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\\'80");
    QTest::newRow("cyrillic") << QStringLiteral("\u0416") << QByteArray("\\u1046?");
    QTest::newRow("above 32767") << QStringLiteral("\uFF21") << QByteArray("\\u-223?");
    QTest::newRow("backslash") << QStringLiteral("\\") << QByteArray("\\\\");
    QTest::newRow("braces") << QStringLiteral("{}") << QByteArray("\\{\\}");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
}

void TestRtfWriter::write_encodesCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    QVERIFY2(WriteRtf(document).contains(rtf), WriteRtf(document).constData());
}

void TestRtfWriter::write_isSevenBit()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Caf\u00E9 \u4E2D")});
    cursor.insertText(QStringLiteral("\u00E9\u4E2D\U0001F600\u00A0\u0001"), format);
    const QByteArray rtf = WriteRtf(document);
    for (const char c : rtf)
        QVERIFY2(uchar(c) < 0x80, rtf.constData());
}

void TestRtfWriter::write_isDeterministic()
{
    const auto build = [](QTextDocument& document) {
        QTextCursor cursor(&document);
        QTextCharFormat a = DefaultPageCharFormat();
        QTextCharFormat b = a;
        b.setForeground(QColor(Qt::red));
        b.setFontFamilies({QStringLiteral("Arial")});
        cursor.insertText(QStringLiteral("one "), a);
        cursor.insertText(QStringLiteral("two"), b);
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("three"), a);
    };
    QTextDocument first;
    QTextDocument second;
    build(first);
    build(second);
    QCOMPARE(WriteRtf(first), WriteRtf(first));
    QCOMPARE(WriteRtf(first), WriteRtf(second));
}

void TestRtfWriter::write_listsFontsAndColorsInOrderOfUse()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat a;
    a.setFontFamilies({QStringLiteral("Zeta")});
    a.setForeground(QColor(0, 0, 255));
    QTextCharFormat b;
    b.setFontFamilies({QStringLiteral("Alpha")});
    b.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("x"), a);
    cursor.insertText(QStringLiteral("y"), b);
    const QByteArray rtf = WriteRtf(document);
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Zeta;}{\\f1\\fnil\\fcharset0 Alpha;}}"),
             rtf.constData());
    QVERIFY2(rtf.contains("{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}"), rtf.constData());
}

void TestRtfWriter::write_escapesFontNames()
{
    QTextDocument document;
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Odd;{Name}\\ \u00E9")});
    QTextCursor(&document).insertText(QStringLiteral("x"), format);
    const auto copy = RoundTrip(document);
    QVERIFY(copy);
    QCOMPARE(Family(copy->firstBlock().begin().fragment().charFormat()),
             QStringLiteral("Odd{Name}\\ \u00E9"));
}

void TestRtfWriter::write_toDevice()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("device"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(platform::rtf::RtfWriter().write(document, &buffer));
    QCOMPARE(bytes, WriteRtf(document));
}

void TestRtfWriter::lines_neverStartWithBracket_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("opening bracket") << QStringLiteral("[Topic]");
    QTest::newRow("closing bracket") << QStringLiteral("]");
    QTest::newRow("paragraphs of brackets") << QStringLiteral("[\n]\n[x]\n]]\n[[");
    QTest::newRow("bracket after line break") << QStringLiteral("a\u2028[b]");
    QTest::newRow("bracket after tab") << QStringLiteral("\t]");
    QTest::newRow("long text of brackets") << QString(QStringLiteral("[]").repeated(1000));
    QTest::newRow("long words then bracket")
        << QString(QStringLiteral("word ").repeated(100) + QStringLiteral("[x]"));
}

void TestRtfWriter::lines_neverStartWithBracket()
{
    QFETCH(QString, text);
    QTextDocument document;
    QTextCursor cursor(&document);
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        // Formats change at the bracket, so a run may start with it.
        QTextCharFormat format = DefaultPageCharFormat();
        format.setFontItalic(i % 2 == 1);
        cursor.insertText(paragraphs[i], format);
    }
    const QStringList lines = RtfLines(document);
    QVERIFY(lines.size() > 1);
    QVERIFY(lines.first().startsWith(QLatin1String("{\\rtf1")));
    for (const QString& line : lines) {
        QVERIFY2(!line.startsWith(QLatin1Char('[')) && !line.startsWith(QLatin1Char(']')), qPrintable(line));
        QVERIFY2(!line.isEmpty(), "an empty line would end the stored entry's text");
    }
    for (qsizetype i = 1; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(QLatin1Char('\\')), qPrintable(lines[i]));
    QTextDocument copy;
    QVERIFY(LoadRtfLines(lines, &copy));
    // Runs this long get zero-width breaks on reading, which are not written back.
    QCOMPARE(RawText(copy).remove(QChar(0x200b)), RawText(document));
    QCOMPARE(RtfLines(copy), lines);
}

void TestRtfWriter::lines_longParagraphIsSplitBeforeControlWords()
{
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("abcd fghij").repeated(500), DefaultPageCharFormat());
    const QStringList lines = RtfLines(document);
    QVERIFY(lines.size() > 10);
    for (const QString& line : lines) {
        QVERIFY2(line.size() <= 2 * platform::rtf::RtfWriter::kLineTarget + 32, qPrintable(line));
        QVERIFY2(!line.endsWith(QLatin1Char(' ')), qPrintable(line));
    }
    QTextDocument copy;
    QVERIFY(LoadRtfLines(lines, &copy));
    QCOMPARE(RawText(copy), RawText(document));
    QCOMPARE(Runs(copy), Runs(document));
}

void TestRtfWriter::lines_haveNoLineEnds()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("one\ntwo\r\nthree"));
    for (const QString& line : RtfLines(document)) {
        QVERIFY(!line.contains(QLatin1Char('\r')));
        QVERIFY(!line.contains(QLatin1Char('\n')));
    }
    QCOMPARE(QString::fromLatin1(WriteRtf(document)), RtfLines(document).join(QStringLiteral("\r\n")));
}

void TestRtfWriter::loadLines_readsRtf()
{
    QTextDocument document;
    QVERIFY(LoadRtfLines({QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}"),
                          QStringLiteral("\\f0\\b bold\\par"), QStringLiteral("\\b0 plain \\'e9}")},
                         &document));
    QCOMPARE(RawText(document), QStringLiteral("bold\nplain \u00E9"));
    QCOMPARE(document.firstBlock().begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
}

void TestRtfWriter::loadLines_plainTextUsesDefaultFormat()
{
    QTextDocument document;
    QVERIFY(LoadRtfLines({QStringLiteral("first line"), QStringLiteral("[second] \u00E9")}, &document));
    QCOMPARE(RawText(document), QStringLiteral("first line\n[second] \u00E9"));
    const QTextCharFormat format = document.lastBlock().begin().fragment().charFormat();
    QCOMPARE(Family(format), QStringLiteral("MS Sans Serif"));
    QCOMPARE(format.fontPointSize(), 10.0);
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
}

void TestRtfWriter::loadLines_emptyGivesEmptyPageInDefaultFormat()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("old"));
    QVERIFY(LoadRtfLines({}, &document));
    QVERIFY(document.isEmpty());
    QTextCursor cursor(&document);
    QCOMPARE(Family(cursor.charFormat()), QStringLiteral("MS Sans Serif"));
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
}

void TestRtfWriter::defaultPageFormat_isBoldMsSansSerifTenPoint()
{
    const QTextCharFormat format = DefaultPageCharFormat();
    QCOMPARE(Family(format), QStringLiteral("MS Sans Serif"));
    QCOMPARE(format.fontPointSize(), 10.0);
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
    QCOMPARE(format.foreground().color(), QColor(Qt::black));
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("x"), format);
    QVERIFY2(WriteRtf(document).contains("MS Sans Serif;"), WriteRtf(document).constData());
    QVERIFY2(WriteRtf(document).contains("\\fs20\\b\\cf1 x"), WriteRtf(document).constData());
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
