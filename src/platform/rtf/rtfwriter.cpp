#include "platform/rtf/rtfwriter.h"

#include <algorithm>

#include "platform/rtf/rtfcodepage.h"
#include "platform/rtf/rtfformat.h"
#include "platform/rtf/rtfreader.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <cmath>

namespace platform::rtf {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Document units (96 per inch) to twips.
int UnitsToTwips(qreal units)
{
    return int(std::lround(units * 15.0));
}

// The character properties the writer states, in RTF terms.
struct RunFormat
{
    int font = 0;
    int halfPoints = 24;
    int foreground = 0; // colour table index, 0 for automatic
    int background = 0;
    int vertical = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const RunFormat&) const = default;
};

class Writer
{
public:
    explicit Writer(const QTextDocument& document)
        : m_document(document), m_defaultFont(document.defaultFont())
    {
    }

    QByteArray write()
    {
        collectTables();
        writeHeader();
        bool first = true;
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            if (!first)
                word("par");
            first = false;
            writeBlock(block);
        }
        m_out += '}';
        return m_out;
    }

private:
    QString familyOf(const QTextCharFormat& format) const
    {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
        return m_defaultFont.family();
    }

    static QColor brushColor(const QTextCharFormat& format, QTextFormat::Property property)
    {
        if (!format.hasProperty(property))
            return {};
        const QBrush brush = format.brushProperty(property);
        return brush.style() == Qt::NoBrush ? QColor() : brush.color();
    }

    int fontIndex(const QString& family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.constEnd())
            return *it;
        const int index = int(m_fonts.size());
        m_fonts.append(family);
        m_fontIndex.insert(family, index);
        return index;
    }

    int colorIndex(const QColor& color)
    {
        if (!color.isValid())
            return 0;
        const QRgb rgb = color.rgb() & 0xFFFFFF;
        const auto it = m_colorIndex.constFind(rgb);
        if (it != m_colorIndex.constEnd())
            return *it;
        m_colors.append(rgb);
        const int index = int(m_colors.size()); // entry 0 is the automatic colour
        m_colorIndex.insert(rgb, index);
        return index;
    }

    RunFormat resolve(const QTextCharFormat& format)
    {
        RunFormat run;
        run.font = fontIndex(familyOf(format));
        qreal size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                    : m_defaultFont.pointSizeF();
        if (size <= 0)
            size = 12;
        run.halfPoints = std::clamp(int(std::lround(size * 2)), 2, 3276);
        run.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                               : m_defaultFont.bold();
        run.italic =
            format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : m_defaultFont.italic();
        run.underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                                format.hasProperty(QTextFormat::FontUnderline)
                            ? format.fontUnderline()
                            : m_defaultFont.underline();
        run.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                    : m_defaultFont.strikeOut();
        run.foreground = colorIndex(brushColor(format, QTextFormat::ForegroundBrush));
        run.background = colorIndex(brushColor(format, QTextFormat::BackgroundBrush));
        switch (format.verticalAlignment()) {
        case QTextCharFormat::AlignSuperScript:
            run.vertical = 1;
            break;
        case QTextCharFormat::AlignSubScript:
            run.vertical = -1;
            break;
        default:
            break;
        }
        return run;
    }

    // Tables first, in order of first use, so the same document always numbers them the same.
    void collectTables()
    {
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            if (block.length() <= 1)
                resolve(block.charFormat());
            for (auto it = block.begin(); !it.atEnd(); ++it)
                resolve(it.fragment().charFormat());
        }
        if (m_fonts.isEmpty())
            fontIndex(m_defaultFont.family());
    }

    void writeHeader()
    {
        m_out.reserve(qsizetype(m_document.characterCount()) * 11 / 10 + 256);
        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
        // Qt's own default (80 pixels) is no choice of the author's: it is left to the reader's.
        const int defaultTab = UnitsToTwips(m_document.defaultTextOption().tabStopDistance());
        if (defaultTab > 0 && defaultTab != kDefaultTabTwips && defaultTab != UnitsToTwips(80))
            m_out += "\\deftab" + QByteArray::number(defaultTab);
        m_out += "{\\fonttbl";
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
            for (const QChar c : m_fonts[i]) {
                const char16_t u = c.unicode();
                if (u == u';' || u < 0x20)
                    continue;
                if (u == u'\\' || u == u'{' || u == u'}') {
                    m_out += '\\';
                    m_out += char(u);
                } else if (u < 0x80) {
                    m_out += char(u);
                } else {
                    const int byte = RtfCodePage::EncodeWindows1252(u);
                    appendHex(byte >= 0 ? byte : '?');
                }
            }
            m_out += ";}";
        }
        m_out += "}{\\colortbl ;";
        for (const QRgb rgb : m_colors) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) +
                     "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
        }
        m_out += '}';
    }

    void appendHex(int byte)
    {
        m_out += "\\'";
        m_out += kHexDigits[(byte >> 4) & 0xF];
        m_out += kHexDigits[byte & 0xF];
        m_delimit = false;
    }

    void newLine()
    {
        m_out += "\r\n";
        m_lineStart = m_out.size();
        m_delimit = false;
    }

    // A line may end here: it is long enough and does not end in a space, which a program that
    // trims its lines would lose.
    bool mayBreak(qsizetype length) const
    {
        return m_out.size() - m_lineStart >= length && !m_out.endsWith(' ');
    }

    // A control word, after a line break when the line is long enough.
    void word(const char* name)
    {
        if (mayBreak(RtfWriter::kLineTarget))
            newLine();
        m_out += '\\';
        m_out += name;
        m_delimit = true;
    }

    void word(const char* name, int value)
    {
        word(name);
        m_out += QByteArray::number(value);
    }

    void toggle(const char* name, bool on)
    {
        word(name);
        if (!on)
            m_out += '0';
    }

    void writeRunFormat(const RunFormat& run)
    {
        if (run.font != m_run.font)
            word("f", run.font);
        if (run.halfPoints != m_run.halfPoints)
            word("fs", run.halfPoints);
        if (run.bold != m_run.bold)
            toggle("b", run.bold);
        if (run.italic != m_run.italic)
            toggle("i", run.italic);
        if (run.underline != m_run.underline) {
            if (run.underline)
                word("ul");
            else
                word("ulnone");
        }
        if (run.strike != m_run.strike)
            toggle("strike", run.strike);
        if (run.foreground != m_run.foreground)
            word("cf", run.foreground);
        if (run.background != m_run.background)
            word("highlight", run.background);
        if (run.vertical != m_run.vertical)
            word(run.vertical > 0 ? "super" : run.vertical < 0 ? "sub" : "nosupersub");
        m_run = run;
    }

    void writeBlock(const QTextBlock& block)
    {
        newLine();
        word("pard");
        word("plain");
        m_run = RunFormat{};
        const QTextBlockFormat format = block.blockFormat();
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            word("qc");
        else if (alignment & Qt::AlignJustify)
            word("qj");
        else if ((alignment & Qt::AlignRight) || (alignment & Qt::AlignTrailing))
            word("qr");
        const auto margin = [this](const char* name, qreal units) {
            const int twips = UnitsToTwips(units);
            if (twips != 0)
                word(name, twips);
        };
        margin("li", format.leftMargin());
        margin("ri", format.rightMargin());
        margin("fi", format.textIndent());
        margin("sb", format.topMargin());
        margin("sa", format.bottomMargin());
        writeTabs(format);
        if (block.length() <= 1) {
            writeRunFormat(resolve(block.charFormat()));
            return;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat charFormat = fragment.charFormat();
            writeRunFormat(resolve(charFormat));
            if (charFormat.isImageFormat()) {
                writeImages(charFormat.toImageFormat(), fragment.length());
                continue;
            }
            // Text typed after a reader's break takes its format: only the breaks are left out.
            writeText(charFormat.boolProperty(InsertedBreakProperty) ? fragment.text().remove(QChar(kZeroWidthSpace))
                                                                     : fragment.text());
        }
    }

    // The reader counts tab positions from the first line's start; RTF from the text column.
    void writeTabs(const QTextBlockFormat& format)
    {
        const QList<QTextOption::Tab> tabs = format.tabPositions();
        const QString leaders = format.stringProperty(TabLeadersProperty);
        const qreal origin = format.leftMargin() + format.textIndent();
        for (qsizetype i = 0; i < tabs.size(); ++i) {
            const char16_t leader = i < leaders.size() ? leaders[i].unicode() : kLeaderNone;
            if (leader == kImplicitStop)
                continue;
            switch (tabs[i].type) {
            case QTextOption::RightTab:
                word("tqr");
                break;
            case QTextOption::CenterTab:
                word("tqc");
                break;
            case QTextOption::DelimiterTab:
                word("tqdec");
                break;
            default:
                break;
            }
            static constexpr std::pair<char16_t, const char*> kLeaders[] = {
                {kLeaderDot, "tldot"},      {kLeaderMiddleDot, "tlmdot"}, {kLeaderHyphen, "tlhyph"},
                {kLeaderUnderline, "tlul"}, {kLeaderThick, "tlth"},       {kLeaderEquals, "tleq"},
            };
            for (const auto& [code, name] : kLeaders) {
                if (code == leader)
                    word(name);
            }
            word("tx", UnitsToTwips(tabs[i].position + origin));
        }
    }

    void writeText(const QString& text)
    {
        const QChar* data = text.constData();
        const qsizetype size = text.size();
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i].unicode();
            // A run long enough to fill a line gets a harmless restated size before which the
            // line can break.
            if (mayBreak(2 * RtfWriter::kLineTarget))
                word("fs", m_run.halfPoints);
            if (c >= 0x20 && c < 0x80) {
                if (c == u'\\' || c == u'{' || c == u'}') {
                    m_out += '\\';
                    m_out += char(c);
                    m_delimit = false;
                    continue;
                }
                if (m_delimit) {
                    m_out += ' ';
                    m_delimit = false;
                }
                m_out += char(c);
                continue;
            }
            switch (c) {
            case u'\t':
                word("tab");
                continue;
            case u'\u2028':
            case u'\n':
            case u'\r':
                word("line");
                continue;
            case QChar::ObjectReplacementCharacter:
                continue; // an object without a picture format has nothing to show
            default:
                break;
            }
            if (c < 0x20)
                continue;
            const int byte = RtfCodePage::EncodeWindows1252(c);
            if (byte >= 0) {
                appendHex(byte);
            } else {
                word("u", int(qint16(c)));
                m_out += '?';
                m_delimit = false;
            }
        }
    }

    void writeImages(const QTextImageFormat& format, int count)
    {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        QImage image;
        if (resource.canConvert<QImage>())
            image = resource.value<QImage>();
        if (image.isNull())
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return;
        const qreal width = format.width() > 0 ? format.width() : image.width();
        const qreal height = format.height() > 0 ? format.height() : image.height();
        for (int n = 0; n < count; ++n) {
            newLine();
            m_out += "{";
            m_delimit = false;
            word("pict");
            word("pngblip");
            word("picw", image.width());
            word("pich", image.height());
            word("picwgoal", UnitsToTwips(width));
            word("pichgoal", UnitsToTwips(height));
            m_out += ' ';
            m_out += png.toHex();
            m_out += '}';
            m_delimit = false;
        }
    }

    const QTextDocument& m_document;
    const QFont m_defaultFont;
    QByteArray m_out;
    qsizetype m_lineStart = 0;
    bool m_delimit = false;
    RunFormat m_run;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    return Writer(document).write();
}

bool RtfWriter::write(const QTextDocument& document, QIODevice* device)
{
    if (!device || !device->isWritable())
        return false;
    const QByteArray bytes = write(document);
    return device->write(bytes) == bytes.size();
}

QTextCharFormat DefaultPageCharFormat()
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{QStringLiteral("MS Sans Serif")});
    format.setFontPointSize(10);
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor(Qt::black));
    return format;
}

QByteArray WriteRtf(const QTextDocument& document)
{
    return RtfWriter().write(document);
}

QStringList RtfLines(const QTextDocument& document)
{
    const QByteArray bytes = WriteRtf(document);
    QStringList lines;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0)
            end = bytes.size();
        lines.append(QString::fromLatin1(bytes.constData() + start, end - start));
        start = end + 2;
    }
    return lines;
}

QByteArray RtfLinesBytes(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    // Written through a pointer: the search reads 50 MB of pages through here.
    QByteArray bytes(std::max<qsizetype>(0, size - 2), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            *out++ = '\r';
            *out++ = '\n';
        }
        for (const QChar c : lines[i]) {
            const char16_t u = c.unicode();
            const int byte = u < 0x100 ? int(u) : RtfCodePage::EncodeWindows1252(u);
            *out++ = char(byte >= 0 ? byte : '?');
        }
    }
    return bytes;
}

bool LoadRtfLines(const QStringList& lines, QTextDocument* document)
{
    if (!document)
        return false;
    const QByteArray bytes = RtfLinesBytes(lines);
    if (LooksLikeRtf(bytes))
        return ReadRtf(bytes, document);
    document->clear();
    QTextCursor cursor(document);
    cursor.setBlockCharFormat(DefaultPageCharFormat());
    cursor.insertText(lines.join(QLatin1Char('\n')), DefaultPageCharFormat());
    document->setModified(false);
    return true;
}

} // namespace platform::rtf
