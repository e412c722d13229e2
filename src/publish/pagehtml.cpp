#include "publish/pagehtml.h"

#include "platform/rtf/rtfdocumentbuilder.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"
#include "shell/faces.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <optional>

namespace publish {

namespace {

// Qt lays documents out at 96 units an inch; CSS points are 72 an inch.
constexpr double kPointsPerUnit = 0.75;
// Rich-text controls put a tab stop every half inch unless a paragraph sets its own.
constexpr double kDefaultTabPoints = 36.0;
// Tables nested deeper than this are written as their text only.
constexpr int kMaxFrameDepth = 16;

QString Points(double value)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'g', 8) + QLatin1String("pt");
}

bool IsDroppedCharacter(char16_t c)
{
    // Control characters, the document's own frame markers and lone surrogate halves are not text.
    return (c < 0x20 && c != u'\t') || c == 0x7F || c == QChar::ObjectReplacementCharacter ||
           c == 0xFDD0 || c == 0xFDD1 || c == QChar::ParagraphSeparator;
}

bool NeedsEscape(char16_t c)
{
    return c == u'&' || c == u'<' || c == u'>' || c == u'"' || c == u'\'';
}

// Neither escaped, dropped, nor a tab or line break.
bool IsTextAsItStands(char16_t c)
{
    if (c < 0x80)
        return c >= 0x20 && c != 0x7F && !NeedsEscape(c);
    return c != QChar::LineSeparator && !IsDroppedCharacter(c);
}

void AppendEscaped(QString& out, QChar c)
{
    switch (c.unicode()) {
    case u'&': out += QLatin1String("&amp;"); break;
    case u'<': out += QLatin1String("&lt;"); break;
    case u'>': out += QLatin1String("&gt;"); break;
    case u'"': out += QLatin1String("&quot;"); break;
    case u'\'': out += QLatin1String("&#39;"); break;
    default: out += c; break;
    }
}

// A value inside a double-quoted attribute: the single quotes of font names may stay.
QString AttributeEscaped(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\''))
            out += c;
        else
            AppendEscaped(out, c);
    }
    return out;
}

// The parts of a character format a page shows.
struct RunLook
{
    QString face;
    double points = 0;
    QColor foreground; // invalid: none set
    QColor background;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0; // 1 superscript, -1 subscript
};

// The face and size the page's text box is given, which runs in them need not repeat: most pages
// write nearly every run in one face and size, and naming them on every paragraph made the HTML
// several times the size of its text.
struct PageBase
{
    QString face;
    double points = 0;

    bool covers(const RunLook& look) const
    {
        // A run with no face or size of its own would take the base's, not the reader's default.
        return (face.isEmpty() || !look.face.isEmpty()) && (points <= 0 || look.points > 0);
    }
};

// What a character format turns into, worked out once per distinct format of a page: pages
// repeat a handful of formats over thousands of runs. The markup is made when the run is first
// written, once the page's base is known.
struct RunStyle
{
    RunLook look;
    bool resolved = false;
    QString style;       // the span's inline style
    QString spanOpen;    // "<span style=...>", or empty for a run without a style
    QString open;        // "<b><i>"
    QString close;       // "</i></b>"
    std::function<QFont()> font;          // for tab stops: the face the text is measured in
    std::optional<QFontMetricsF> metrics; // made when first needed
};

QString BaseStyle(const PageBase& base)
{
    QString style;
    if (!base.face.isEmpty())
        style += QLatin1String("font-family:") + CssFontFamily(base.face) + QLatin1Char(';');
    if (base.points > 0)
        style += QLatin1String("font-size:") + Points(base.points) + QLatin1Char(';');
    return style;
}

RunStyle MakeRunStyle(const RunLook& look, std::function<QFont()> font)
{
    RunStyle run;
    run.look = look;
    run.font = std::move(font);
    return run;
}

void ResolveRunStyle(RunStyle& run, const PageBase& base)
{
    const RunLook& look = run.look;
    run.resolved = true;
    if (!look.face.isEmpty() && look.face != base.face)
        run.style += QLatin1String("font-family:") + CssFontFamily(look.face) + QLatin1Char(';');
    if (look.points > 0 && look.points != base.points)
        run.style += QLatin1String("font-size:") + Points(look.points) + QLatin1Char(';');
    if (look.foreground.isValid())
        run.style += QLatin1String("color:") + CssColor(look.foreground) + QLatin1Char(';');
    if (look.background.isValid())
        run.style += QLatin1String("background-color:") + CssColor(look.background) + QLatin1Char(';');
    if (!run.style.isEmpty())
        run.spanOpen = QLatin1String("<span style=\"") + AttributeEscaped(run.style) + QLatin1String("\">");
    QList<QLatin1String> elements;
    if (look.bold)
        elements << QLatin1String("b");
    if (look.italic)
        elements << QLatin1String("i");
    if (look.underline)
        elements << QLatin1String("u");
    if (look.strike)
        elements << QLatin1String("s");
    if (look.vertical > 0)
        elements << QLatin1String("sup");
    else if (look.vertical < 0)
        elements << QLatin1String("sub");
    for (const QLatin1String element : elements)
        run.open += QLatin1Char('<') + element + QLatin1Char('>');
    for (auto it = elements.crbegin(); it != elements.crend(); ++it)
        run.close += QLatin1String("</") + *it + QLatin1Char('>');
}

RunLook LookOf(const QTextCharFormat& format)
{
    RunLook look;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        look.face = families.first();
    look.points = format.fontPointSize();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        look.foreground = format.foreground().color();
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        look.background = format.background().color();
    look.bold = format.fontWeight() >= QFont::DemiBold;
    look.italic = format.fontItalic();
    look.underline = format.fontUnderline();
    look.strike = format.fontStrikeOut();
    look.vertical = format.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                    : format.verticalAlignment() == QTextCharFormat::AlignSubScript ? -1
                                                                                     : 0;
    return look;
}

RunStyle StyleOf(const QTextCharFormat& format)
{
    return MakeRunStyle(LookOf(format), [format] { return format.font(); });
}

// A paragraph's format in points.
struct BlockLook
{
    double top = 0, right = 0, bottom = 0, left = 0, indent = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

const QLatin1String kPageOpen("<div class=\"rtf\">");

// Writes paragraphs: their runs, tabs placed from the measured text, pictures.
class ParagraphWriter
{
public:
    explicit ParagraphWriter(QString& out) : m_out(out) {}

    void begin(const BlockLook& block, bool measureTabs)
    {
        // The style sheet gives paragraphs no margin and keeps their blanks: most need nothing more.
        QStringList declarations;
        if (block.top != 0 || block.right != 0 || block.bottom != 0 || block.left != 0)
            declarations << QLatin1String("margin:") + Points(block.top) + QLatin1Char(' ') + Points(block.right) +
                                QLatin1Char(' ') + Points(block.bottom) + QLatin1Char(' ') + Points(block.left);
        if (block.indent != 0)
            declarations << QLatin1String("text-indent:") + Points(block.indent);
        const Qt::Alignment alignment = block.alignment & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            declarations << QStringLiteral("text-align:center");
        else if (alignment & Qt::AlignRight)
            declarations << QStringLiteral("text-align:right");
        else if (alignment & Qt::AlignJustify)
            declarations << QStringLiteral("text-align:justify");
        if (declarations.isEmpty())
            m_out += QLatin1String("<p>");
        else
            m_out += QLatin1String("<p style=\"") + declarations.join(QLatin1Char(';')) + QLatin1String("\">");
        // Tab stops are placed from the text's measured width; only paragraphs with tabs pay.
        m_measureTabs = measureTabs;
        m_x = block.indent;
    }

    // False when the run has nothing to show.
    bool run(RunStyle& run, QStringView text)
    {
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return IsDroppedCharacter(c.unicode()); }))
            return false;
        // The first run with something to show sets the page's base.
        if (!m_base)
            m_base = m_useBase ? PageBase{run.look.face, run.look.points} : PageBase{};
        if (!run.resolved)
            ResolveRunStyle(run, *m_base);
        m_baseBroken = m_baseBroken || !m_base->covers(run.look);
        // Runs that differ only in bold, italic and the like share one span.
        const bool reopen = run.style != m_openStyle;
        if (reopen) {
            if (!m_openStyle.isEmpty())
                m_out += QLatin1String("</span>");
            m_out += run.spanOpen;
        }
        m_out += run.open;
        m_piece.resize(0); // text since the last tab, for measuring
        const auto flushPiece = [&] {
            if (m_measureTabs && !m_piece.isEmpty()) {
                if (!run.metrics)
                    run.metrics.emplace(run.font(), &measureDevice());
                m_x += run.metrics->horizontalAdvance(m_piece) * kPointsPerUnit;
            }
            m_piece.resize(0);
        };
        // Characters that are text as they stand go out a stretch at a time.
        qsizetype stretch = 0;
        const auto flushStretch = [&](qsizetype upTo) {
            if (upTo > stretch) {
                m_out += text.sliced(stretch, upTo - stretch);
                if (m_measureTabs)
                    m_piece += text.sliced(stretch, upTo - stretch);
            }
            stretch = upTo + 1;
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            if (IsTextAsItStands(u))
                continue;
            flushStretch(i);
            if (u == u'\t') {
                flushPiece();
                const double next = (std::floor(m_x / kDefaultTabPoints + 1e-6) + 1.0) * kDefaultTabPoints;
                m_out += QLatin1String("<span class=\"tab\" style=\"width:") + Points(next - m_x) +
                         QLatin1String("\"></span>");
                m_x = next;
            } else if (u == QChar::LineSeparator) {
                flushPiece();
                m_out += QLatin1String("<br>");
                m_x = 0;
            } else if (!IsDroppedCharacter(u)) {
                if (m_measureTabs)
                    m_piece += text[i];
                AppendEscaped(m_out, text[i]);
            }
        }
        flushStretch(text.size());
        flushPiece();
        if (reopen)
            m_openStyle = run.style;
        m_out += run.close;
        return true;
    }

    // False when the picture has no address.
    bool picture(const QString& source, double width, double height)
    {
        closeSpan();
        if (source.isEmpty())
            return false;
        m_out += QLatin1String("<img alt=\"\" src=\"") + HtmlEscaped(source) + QLatin1String("\" style=\"width:") +
                 Points(width) + QLatin1String(";height:") + Points(height) + QLatin1String("\">");
        m_x += width;
        return true;
    }

    void end(bool empty)
    {
        closeSpan();
        // An empty paragraph still takes a line, as it does in the reader's window.
        if (empty)
            m_out += QLatin1String("<br>");
        m_out += QLatin1String("</p>");
    }

    // Ends the page begun with kPageOpen, giving its box the base face and size.
    void finishPage()
    {
        const QString style = m_base ? BaseStyle(*m_base) : QString();
        if (!style.isEmpty())
            m_out.insert(kPageOpen.size() - 1, QLatin1String(" style=\"") + AttributeEscaped(style) + QLatin1Char('"'));
        m_out += QLatin1String("</div>");
    }

    // Without a base, every run names its own face and size, as a page must where some run has none.
    void setUseBase(bool use) { m_useBase = use; }
    bool baseBroken() const { return m_baseBroken; }

private:
    void closeSpan()
    {
        if (!m_openStyle.isEmpty())
            m_out += QLatin1String("</span>");
        m_openStyle.clear();
    }

    // Text widths for the tab stops are measured at 96 dots an inch, whatever the screen is.
    QPaintDevice& measureDevice()
    {
        if (m_measure.isNull()) {
            m_measure = QImage(1, 1, QImage::Format_Mono);
            m_measure.setDotsPerMeterX(3780);
            m_measure.setDotsPerMeterY(3780);
        }
        return m_measure;
    }

    QString& m_out;
    QImage m_measure;
    QString m_piece;
    QString m_openStyle; // the style of the span still open in the paragraph
    double m_x = 0;      // points from the paragraph's left edge
    bool m_measureTabs = false;
    bool m_useBase = true;
    bool m_baseBroken = false;
    std::optional<PageBase> m_base;
};

class HtmlWriter
{
public:
    HtmlWriter(const QTextDocument& document, const PictureSink& pictures, bool useBase)
        : m_document(document), m_pictures(pictures), m_paragraphs(m_out)
    {
        m_paragraphs.setUseBase(useBase);
    }

    QString write(bool* baseBroken)
    {
        m_out += kPageOpen;
        writeFrame(m_document.rootFrame(), 0);
        m_paragraphs.finishPage();
        *baseBroken = m_paragraphs.baseBroken();
        return m_out;
    }

private:
    void writeFrame(const QTextFrame* frame, int depth)
    {
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(child); table && depth < kMaxFrameDepth)
                    writeTable(table, depth + 1);
                else if (depth < kMaxFrameDepth)
                    writeFrame(child, depth + 1);
            } else {
                writeBlock(it.currentBlock());
            }
        }
    }

    void writeTable(const QTextTable* table, int depth)
    {
        m_out += QLatin1String("<table>");
        for (int row = 0; row < table->rows(); ++row) {
            m_out += QLatin1String("<tr>");
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (!cell.isValid() || cell.row() != row || cell.column() != column)
                    continue; // covered by a spanning cell
                m_out += QLatin1String("<td");
                if (cell.rowSpan() > 1)
                    m_out += QLatin1String(" rowspan=\"") + QString::number(cell.rowSpan()) + QLatin1Char('"');
                if (cell.columnSpan() > 1)
                    m_out += QLatin1String(" colspan=\"") + QString::number(cell.columnSpan()) + QLatin1Char('"');
                m_out += QLatin1Char('>');
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    if (const QTextFrame* child = it.currentFrame()) {
                        if (const auto* inner = qobject_cast<const QTextTable*>(child); inner && depth < kMaxFrameDepth)
                            writeTable(inner, depth + 1);
                    } else {
                        writeBlock(it.currentBlock());
                    }
                }
                m_out += QLatin1String("</td>");
            }
            m_out += QLatin1String("</tr>");
        }
        m_out += QLatin1String("</table>");
    }

    void writeBlock(const QTextBlock& block)
    {
        const QTextBlockFormat format = block.blockFormat();
        BlockLook look;
        look.top = format.topMargin() * kPointsPerUnit;
        look.right = format.rightMargin() * kPointsPerUnit;
        look.bottom = format.bottomMargin() * kPointsPerUnit;
        look.left = format.leftMargin() * kPointsPerUnit;
        look.indent = format.textIndent() * kPointsPerUnit;
        look.alignment = format.alignment();
        m_paragraphs.begin(look, block.text().contains(QLatin1Char('\t')));
        bool empty = true;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat())
                empty = !writePicture(format.toImageFormat()) && empty;
            else if (m_paragraphs.run(runStyle(fragment.charFormatIndex(), format), fragment.text()))
                empty = false;
        }
        m_paragraphs.end(empty);
    }

    bool writePicture(const QTextImageFormat& format)
    {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        const QImage image = resource.value<QImage>();
        const QString source = image.isNull() || !m_pictures ? QString() : m_pictures(image);
        const double width = (format.width() > 0 ? format.width() : image.width()) * kPointsPerUnit;
        const double height = (format.height() > 0 ? format.height() : image.height()) * kPointsPerUnit;
        return m_paragraphs.picture(source, width, height);
    }

    RunStyle& runStyle(int index, const QTextCharFormat& format)
    {
        auto known = m_styles.find(index);
        if (known == m_styles.end())
            known = m_styles.insert(index, StyleOf(format));
        return *known;
    }

    const QTextDocument& m_document;
    const PictureSink& m_pictures;
    QString m_out;
    ParagraphWriter m_paragraphs;
    QHash<int, RunStyle> m_styles; // by the document's character format index
};

// A page put together paragraph by paragraph: the runs and pictures of the paragraph being read
// wait for its end, where its format is known, and the page's text for the search index is
// gathered on the way, as the document's plain text would read.
class PageAssembler
{
public:
    PageAssembler(const PictureSink& pictures, qsizetype sizeHint, bool useBase)
        : m_pictures(pictures), m_paragraphs(m_html)
    {
        m_html.reserve(sizeHint + 64);
        m_plain.reserve(sizeHint);
        m_html += kPageOpen;
        m_paragraphs.setUseBase(useBase);
    }

    int addStyle(RunStyle style)
    {
        m_styles.append(std::move(style));
        return int(m_styles.size() - 1);
    }

    // Text of one style; paragraph separators in it end the paragraph with the format the one
    // before had, as a document's cursor splits its block.
    void text(QStringView text, int style)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            if (u == u'\t') {
                m_tabs = true;
            } else if (IsBlockSeparator(u)) {
                append(text.sliced(start, i - start), style);
                endParagraph(m_lastBlock);
                if (u == u'\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                    ++i; // one break, as a cursor takes it
                start = i + 1;
            }
        }
        append(text.sliced(start), style);
    }

    void picture(const QImage& image, const QSizeF& size)
    {
        Item item;
        item.picture = true;
        item.source = image.isNull() || !m_pictures ? QString() : m_pictures(image);
        item.width = (size.width() > 0 ? size.width() : image.width()) * kPointsPerUnit;
        item.height = (size.height() > 0 ? size.height() : image.height()) * kPointsPerUnit;
        m_items.append(item);
        m_plain += QChar::ObjectReplacementCharacter;
    }

    void endParagraph(const BlockLook& block)
    {
        m_paragraphs.begin(block, m_tabs);
        bool empty = true;
        for (const Item& item : std::as_const(m_items)) {
            if (item.picture)
                empty = !m_paragraphs.picture(item.source, item.width, item.height) && empty;
            else if (m_paragraphs.run(m_styles[item.style], QStringView(m_text).sliced(item.begin, item.end - item.begin)))
                empty = false;
        }
        m_paragraphs.end(empty);
        m_items.clear();
        m_text.resize(0); // keeps its room for the next paragraph
        m_tabs = false;
        m_lastBlock = block;
        m_plain += QLatin1Char('\n');
    }

    PageHtml finish(const BlockLook& block)
    {
        endParagraph(block);
        m_plain.chop(1);
        m_paragraphs.finishPage();
        return {std::move(m_html), std::move(m_plain)};
    }

    bool baseBroken() const { return m_paragraphs.baseBroken(); }

private:
    struct Item
    {
        bool picture = false;
        int style = 0;
        qsizetype begin = 0, end = 0; // of the text in m_text
        QString source;
        double width = 0, height = 0;
    };

    static bool IsBlockSeparator(char16_t u)
    {
        return u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1;
    }

    void append(QStringView text, int style)
    {
        if (text.isEmpty())
            return;
        if (m_items.isEmpty() || m_items.last().picture || m_items.last().style != style)
            m_items.append(Item{false, style, m_text.size(), m_text.size(), {}, 0, 0});
        m_text += text;
        m_items.last().end = m_text.size();
        // The document's plain text has blanks and new lines for these.
        const qsizetype from = m_plain.size();
        m_plain += text;
        for (QChar* c = m_plain.data() + from, *end = m_plain.data() + m_plain.size(); c != end; ++c) {
            if (*c == QChar::Nbsp)
                *c = QLatin1Char(' ');
            else if (*c == QChar::LineSeparator)
                *c = QLatin1Char('\n');
        }
    }

    const PictureSink& m_pictures;
    QString m_html;
    QString m_plain;
    ParagraphWriter m_paragraphs;
    QList<RunStyle> m_styles;
    QList<Item> m_items; // of the paragraph being read
    QString m_text;      // the paragraph's text so far
    bool m_tabs = false;
    BlockLook m_lastBlock;
};

BlockLook BlockLookOf(const platform::rtf::RtfContentReader::ParaState& para)
{
    // As a document would hold it: in its units, 96 an inch, then in points.
    const auto points = [](int twips) { return twips / 15.0 * kPointsPerUnit; };
    BlockLook look;
    look.top = points(para.spaceBefore);
    look.right = points(para.rightIndent);
    look.bottom = points(para.spaceAfter);
    look.left = points(para.leftIndent);
    look.indent = points(para.firstIndent);
    look.alignment = para.alignment;
    return look;
}

// Reads a page's RTF straight into its HTML, with no document between.
class PageHtmlReader final : public platform::rtf::RtfContentReader
{
public:
    PageHtmlReader(const PictureSink& pictures, qsizetype sizeHint, bool useBase) : m_page(pictures, sizeHint, useBase)
    {
    }

    PageHtml take(bool* baseBroken)
    {
        *baseBroken = m_page.baseBroken();
        return std::move(m_result);
    }

protected:
    void insertText(const QString& text, const platform::rtf::RtfRunFormat& format) override
    {
        m_page.text(text, styleFor(format));
    }
    void insertPicture(const QImage& picture, const QSizeF& size) override { m_page.picture(picture, size); }
    void endParagraph(const ParaState& para) override { m_page.endParagraph(BlockLookOf(para)); }
    void endDocument(const ParaState& para) override { m_result = m_page.finish(BlockLookOf(para)); }

private:
    int styleFor(const platform::rtf::RtfRunFormat& format)
    {
        if (m_lastStyle >= 0 && m_formats[m_lastStyle] == format)
            return m_lastStyle;
        // Pages mostly switch among a few formats, which are quicker compared than hashed.
        constexpr qsizetype kCompared = 8;
        for (qsizetype i = 0; i < std::min(kCompared, m_formats.size()); ++i)
            if (m_formats[i] == format)
                return m_lastStyle = int(i);
        const size_t hash = qHashMulti(0, format.face, format.halfPoints, format.foreground.rgba(),
                                       format.foreground.isValid(), format.background.rgba(),
                                       format.background.isValid(), format.vertical, format.bold, format.italic,
                                       format.underline, format.strike, format.anchor);
        for (auto it = m_byHash.constFind(hash); it != m_byHash.cend() && it.key() == hash; ++it)
            if (m_formats[*it] == format)
                return m_lastStyle = *it;
        RunLook look;
        look.face = format.face;
        look.points = format.halfPoints / 2.0;
        look.foreground = format.foreground;
        look.background = format.background;
        look.bold = format.bold;
        look.italic = format.italic;
        look.underline = format.underline;
        look.strike = format.strike;
        look.vertical = format.vertical;
        m_formats.append(format);
        m_byHash.insert(hash, int(m_formats.size() - 1));
        m_lastStyle = m_page.addStyle(
            MakeRunStyle(look, [format] { return platform::rtf::RtfCharFormat(format).font(); }));
        return m_lastStyle;
    }

    PageAssembler m_page;
    QList<platform::rtf::RtfRunFormat> m_formats; // what each style of m_page was made from
    QMultiHash<size_t, int> m_byHash;             // indexes into m_formats
    int m_lastStyle = -1;
    PageHtml m_result;
};

} // namespace

QString HtmlEscaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        AppendEscaped(out, c);
    return out;
}

QString CssFontFamily(const QString& face)
{
    QString clean;
    for (const QChar c : face)
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_'))
            clean += c;
    clean = clean.simplified();
    QString family;
    if (!clean.isEmpty())
        family += QLatin1Char('\'') + clean + QLatin1String("', ");
    const QString twin = shell::FaceSubstitute(clean);
    if (!twin.isEmpty())
        family += QLatin1Char('\'') + twin + QLatin1String("', ");
    return family + shell::GenericFamily(clean);
}

QString CssColor(const QColor& color)
{
    return color.name(QColor::HexRgb);
}

namespace {

// A page is written against the face and size of its first run; the rare page where some run has
// no face or size of its own is written again without a base. The second pass is handed the
// addresses the first got, so the sink sees each picture once.
template <typename Convert>
auto WithPageBase(const PictureSink& pictures, Convert convert)
{
    QStringList answers;
    qsizetype replayed = -1;
    const PictureSink remembered = [&](const QImage& image) {
        if (replayed >= 0)
            return answers.value(replayed++);
        answers.append(pictures ? pictures(image) : QString());
        return answers.last();
    };
    bool broken = false;
    auto result = convert(remembered, true, &broken);
    if (!broken)
        return result;
    replayed = 0;
    return convert(remembered, false, &broken);
}

PageHtml ConvertPageLines(const QStringList& lines, const PictureSink& pictures, bool useBase, bool* baseBroken)
{
    const QByteArray bytes = platform::rtf::RtfLinesBytes(lines);
    if (!platform::rtf::LooksLikeRtf(bytes)) {
        // A page of plain text: its lines in the face a new page has.
        PageAssembler page(pictures, bytes.size(), useBase);
        const int style = page.addStyle(StyleOf(platform::rtf::DefaultPageCharFormat()));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                page.text(u"\n", style);
            page.text(lines[i], style);
        }
        PageHtml html = page.finish({});
        *baseBroken = page.baseBroken();
        return html;
    }
    PageHtmlReader reader(pictures, bytes.size(), useBase);
    if (bytes.size() <= platform::rtf::RtfReader::kMaxInputBytes) {
        platform::rtf::RtfTokenizer tokenizer;
        tokenizer.tokenize(bytes, reader);
    }
    reader.finish();
    return reader.take(baseBroken);
}

} // namespace

QString DocumentToHtml(const QTextDocument& document, const PictureSink& pictures)
{
    return WithPageBase(pictures, [&](const PictureSink& sink, bool useBase, bool* broken) {
        return HtmlWriter(document, sink, useBase).write(broken);
    });
}

void ReadPageDocument(const QStringList& lines, QTextDocument* document)
{
    // The reader inserts its text through a cursor, which after every insertion finds its place on
    // the line by itemizing the paragraph so far, over and over. Inside an edit block a cursor
    // skips that, and a document that is only converted, never shown, needs no cursor place.
    QTextCursor editing(document);
    editing.beginEditBlock();
    platform::rtf::LoadRtfLines(lines, document);
    editing.endEditBlock();
}

PageHtml PageLinesToHtml(const QStringList& lines, const PictureSink& pictures)
{
    return WithPageBase(pictures, [&](const PictureSink& sink, bool useBase, bool* broken) {
        return ConvertPageLines(lines, sink, useBase, broken);
    });
}

} // namespace publish
