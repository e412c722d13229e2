#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>

class QImage;
class QTextDocument;

// A page's rich text as clean HTML for the browser player: paragraphs with their alignment,
// indents and spacing; runs with face, size, colour and highlight as inline styles (face and size
// only where they differ from the page's own, which its box carries) and bold,
// italic, underline, strikeout, super- and subscript as elements; tabs as inline blocks that reach
// the next default tab stop; tables; pictures. Every character of the text is escaped, no link,
// script, event attribute or style that loads anything is ever written, so the result can be put
// into a page with innerHTML whatever the list holds.
namespace publish {

// Takes a picture of the page and answers the address the <img> is to load it from (a file of the
// published folder or a data: URI). An empty answer leaves the picture out.
using PictureSink = std::function<QString(const QImage& picture)>;

// & < > " ' as character references.
QString HtmlEscaped(QStringView text);

// The CSS font-family list for a stored face: the face, its metric twin, a generic family
// ("Arial" -> "'Arial', 'Liberation Sans', sans-serif"). Characters that could end the quoted name
// or the declaration are dropped from the face.
QString CssFontFamily(const QString& face);

// "#rrggbb"
QString CssColor(const QColor& color);

// The document as "<div class=\"rtf\">...</div>".
QString DocumentToHtml(const QTextDocument& document, const PictureSink& pictures);

struct PageHtml
{
    QString html;
    QString plainText; // the page's text as the search index takes it
};

// Reads the stored page lines (RTF, or plain text) into the document, which is cleared first.
void ReadPageDocument(const QStringList& lines, QTextDocument* document);

// Converts the stored page lines in one pass, straight from the RTF reader's runs with no
// document between: the same HTML and text as DocumentToHtml() and toPlainText() of the page read
// by ReadPageDocument(), at a fraction of the cost. Pictures go to the sink in page order.
PageHtml PageLinesToHtml(const QStringList& lines, const PictureSink& pictures);

} // namespace publish
