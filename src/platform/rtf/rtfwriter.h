#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTextCharFormat>

class QIODevice;
class QTextDocument;

namespace platform::rtf {

// Writes a QTextDocument as Rich Text Format that WordPad and our reader read back: a font table
// and a colour table of what the document uses, then every paragraph with its alignment, indents
// and spacing, and every run with its face, size, colour, highlight, bold, italic, underline and
// strikeout. PNG pictures held as document resources are written as \pict groups.
//
// The output is 7-bit: characters of Windows-1252 become \'hh, all others \uN followed by "?".
// The same document always gives the same bytes. Lines end in CR LF and a line break is only ever
// written before a control word, so every line but the first starts with a backslash: a page kept
// as lines in the topic store can never have a line that starts with "[" or "]".
class RtfWriter
{
public:
    // Lines are broken before the next control word once they reach this many bytes.
    static constexpr int kLineTarget = 200;

    QByteArray write(const QTextDocument& document);
    bool write(const QTextDocument& document, QIODevice* device);
};

// The format of the text of a new, empty page: "MS Sans Serif" 10 pt bold black.
QTextCharFormat DefaultPageCharFormat();

// RtfWriter().write(document).
QByteArray WriteRtf(const QTextDocument& document);

// The RTF of the document split into its lines (without the CR LF).
QStringList RtfLines(const QTextDocument& document);

// The bytes of a stored page's lines joined with CR LF, each character as its Windows-1252 byte.
QByteArray RtfLinesBytes(const QStringList& lines);

// Loads the lines of a stored page: joined with CR LF and read as RTF, or, when they are not RTF,
// taken as plain text in the default page format. No lines give an empty page in that format.
// Returns false only when RTF was recognised but could not be read.
bool LoadRtfLines(const QStringList& lines, QTextDocument* document);

} // namespace platform::rtf
