#include "publish/pagehtml.h"

#include "platform/rtf/rtfwriter.h"
#include "shell/faces.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

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

// A value inside a double-quoted attribute: the single quotes of font names may stay.
QString AttributeEscaped(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
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

class HtmlWriter
{
public:
    HtmlWriter(const QTextDocument& document, const PictureSink& pictures) : m_document(document), m_pictures(pictures)
    {
        // Text widths for the tab stops are measured at 96 dots an inch, whatever the screen is.
        m_measure = QImage(1, 1, QImage::Format_Mono);
        m_measure.setDotsPerMeterX(3780);
        m_measure.setDotsPerMeterY(3780);
    }

    QString write()
    {
        m_out += QLatin1String("<div class=\"rtf\">");
        writeFrame(m_document.rootFrame(), 0);
        m_out += QLatin1String("</div>");
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
        m_out += QLatin1String("<table style=\"border-collapse:collapse\">");
        for (int row = 0; row < table->rows(); ++row) {
            m_out += QLatin1String("<tr>");
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (!cell.isValid() || cell.row() != row || cell.column() != column)
                    continue; // covered by a spanning cell
                m_out += QLatin1String("<td style=\"border:1px solid #808080;padding:2pt;vertical-align:top\"");
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
        // Most paragraphs have no spacing or indent: those get the short form.
        const bool spaced = format.topMargin() != 0 || format.rightMargin() != 0 || format.bottomMargin() != 0 ||
                            format.leftMargin() != 0;
        m_out += QLatin1String("<p style=\"margin:");
        if (spaced)
            m_out += Points(format.topMargin() * kPointsPerUnit) + QLatin1Char(' ') +
                     Points(format.rightMargin() * kPointsPerUnit) + QLatin1Char(' ') +
                     Points(format.bottomMargin() * kPointsPerUnit) + QLatin1Char(' ') +
                     Points(format.leftMargin() * kPointsPerUnit);
        else
            m_out += QLatin1Char('0');
        m_out += QLatin1String(";white-space:pre-wrap");
        if (format.textIndent() != 0)
            m_out += QLatin1String(";text-indent:") + Points(format.textIndent() * kPointsPerUnit);
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            m_out += QLatin1String(";text-align:center");
        else if (alignment & Qt::AlignRight)
            m_out += QLatin1String(";text-align:right");
        else if (alignment & Qt::AlignJustify)
            m_out += QLatin1String(";text-align:justify");
        m_out += QLatin1String("\">");

        // Tab stops are placed from the text's measured width; only blocks with tabs pay for it.
        m_measureTabs = block.text().contains(QLatin1Char('\t'));
        m_x = format.textIndent() * kPointsPerUnit;
        bool empty = true;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            RunStyle& run = runStyle(fragment);
            if (run.image) {
                closeSpan();
                empty = !writePicture(fragment.charFormat().toImageFormat()) && empty;
            } else if (writeRun(fragment, run)) {
                empty = false;
            }
        }
        closeSpan();
        // An empty paragraph still takes a line, as it does in the reader's window.
        if (empty)
            m_out += QLatin1String("<br>");
        m_out += QLatin1String("</p>");
    }

    bool writePicture(const QTextImageFormat& format)
    {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        const QImage image = resource.value<QImage>();
        if (image.isNull() || !m_pictures)
            return false;
        const QString source = m_pictures(image);
        if (source.isEmpty())
            return false;
        const double width = (format.width() > 0 ? format.width() : image.width()) * kPointsPerUnit;
        const double height = (format.height() > 0 ? format.height() : image.height()) * kPointsPerUnit;
        m_out += QLatin1String("<img alt=\"\" src=\"") + HtmlEscaped(source) + QLatin1String("\" style=\"width:") +
                 Points(width) + QLatin1String(";height:") + Points(height) + QLatin1String("\">");
        m_x += width;
        return true;
    }

    // What a character format turns into, worked out once per distinct format of the document:
    // pages repeat a handful of formats over thousands of fragments.
    struct RunStyle
    {
        bool image = false;
        QString style;                        // the span's inline style
        QString open;                         // "<b><i>"
        QString close;                        // "</i></b>"
        std::optional<QFontMetricsF> metrics; // for tab stops, made when first needed
    };

    RunStyle& runStyle(const QTextFragment& fragment)
    {
        const int index = fragment.charFormatIndex();
        auto known = m_styles.find(index);
        if (known != m_styles.end())
            return *known;
        const QTextCharFormat format = fragment.charFormat();
        RunStyle run;
        run.image = format.isImageFormat();
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            run.style += QLatin1String("font-family:") + CssFontFamily(families.first()) + QLatin1Char(';');
        if (format.fontPointSize() > 0)
            run.style += QLatin1String("font-size:") + Points(format.fontPointSize()) + QLatin1Char(';');
        if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
            run.style += QLatin1String("color:") + CssColor(format.foreground().color()) + QLatin1Char(';');
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
            run.style += QLatin1String("background-color:") + CssColor(format.background().color()) + QLatin1Char(';');

        QStringList elements;
        if (format.fontWeight() >= QFont::DemiBold)
            elements << QStringLiteral("b");
        if (format.fontItalic())
            elements << QStringLiteral("i");
        if (format.fontUnderline())
            elements << QStringLiteral("u");
        if (format.fontStrikeOut())
            elements << QStringLiteral("s");
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            elements << QStringLiteral("sup");
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            elements << QStringLiteral("sub");
        for (const QString& element : elements)
            run.open += QLatin1Char('<') + element + QLatin1Char('>');
        for (auto it = elements.crbegin(); it != elements.crend(); ++it)
            run.close += QLatin1String("</") + *it + QLatin1Char('>');
        return *m_styles.insert(index, std::move(run));
    }

    bool writeRun(const QTextFragment& fragment, RunStyle& run)
    {
        const QString text = fragment.text();
        m_body.clear();
        m_piece.clear(); // text since the last tab, for measuring
        bool any = false;
        const auto flushPiece = [&] {
            if (m_measureTabs && !m_piece.isEmpty()) {
                if (!run.metrics)
                    run.metrics.emplace(fragment.charFormat().font(), &m_measure);
                m_x += run.metrics->horizontalAdvance(m_piece) * kPointsPerUnit;
            }
            m_piece.clear();
        };
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u'\t') {
                flushPiece();
                const double next = (std::floor(m_x / kDefaultTabPoints + 1e-6) + 1.0) * kDefaultTabPoints;
                m_body += QLatin1String("<span class=\"tab\" style=\"display:inline-block;width:") +
                          Points(next - m_x) + QLatin1String("\"></span>");
                m_x = next;
                any = true;
            } else if (u == QChar::LineSeparator) {
                flushPiece();
                m_body += QLatin1String("<br>");
                m_x = 0;
                any = true;
            } else if (!IsDroppedCharacter(u)) {
                if (m_measureTabs)
                    m_piece += c;
                AppendEscaped(m_body, c);
                any = true;
            }
        }
        flushPiece();
        if (!any)
            return false;
        // Runs that differ only in bold, italic and the like share one span.
        if (run.style != m_openStyle) {
            closeSpan();
            if (!run.style.isEmpty())
                m_out += QLatin1String("<span style=\"") + AttributeEscaped(run.style) + QLatin1String("\">");
            m_openStyle = run.style;
        }
        m_out += run.open;
        m_out += m_body;
        m_out += run.close;
        return true;
    }

    void closeSpan()
    {
        if (!m_openStyle.isEmpty())
            m_out += QLatin1String("</span>");
        m_openStyle.clear();
    }

    const QTextDocument& m_document;
    const PictureSink& m_pictures;
    QImage m_measure;
    QString m_out;
    QHash<int, RunStyle> m_styles; // by the document's character format index
    QString m_body;                // the escaped text of the run being written
    QString m_piece;
    QString m_openStyle;                // the style of the span still open in the paragraph
    double m_x = 0;      // points from the paragraph's left edge
    bool m_measureTabs = false;
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

QString DocumentToHtml(const QTextDocument& document, const PictureSink& pictures)
{
    return HtmlWriter(document, pictures).write();
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
    QTextDocument document;
    ReadPageDocument(lines, &document);
    return {DocumentToHtml(document, pictures), document.toPlainText()};
}

} // namespace publish
