#pragma once

#include "platform/rtf/rtftokenizer.h"

#include <QByteArray>
#include <QList>

class QIODevice;
class QTextDocument;

namespace platform::rtf {

// Reads Rich Text Format into a QTextDocument: what WordPad/RichEdit, Word, LibreOffice and
// TextEdit write. Text, fonts (with their charsets), sizes, colours, bold, italic, underline,
// strikeout, super- and subscript, highlighting, paragraph alignment, indents and spacing,
// hyperlink fields, PNG and JPEG pictures; tables as paragraphs of tab-separated cells. Every
// other destination is skipped.
//
// Damaged input is mended rather than refused: unbalanced groups, truncated escapes and oversized
// numbers are reported through problems() and reading goes on. Only input that is not RTF at all
// (or cannot be read) makes read() return false, and the document is left empty then.
class RtfReader
{
public:
    // Streams larger than this are refused.
    static constexpr qint64 kMaxInputBytes = 256 * 1024 * 1024;

    bool read(QIODevice* device, QTextDocument* document);
    bool read(const QByteArray& data, QTextDocument* document);

    // The first problem of the last read, RtfError::None when there was none.
    RtfProblem error() const;
    const QList<RtfProblem>& problems() const { return m_problems; }

private:
    QList<RtfProblem> m_problems;
};

// True when data starts like an RTF stream ("{\rtf", after optional white space or a byte order
// mark).
bool LooksLikeRtf(const QByteArray& data);

// RtfReader().read(data, document).
bool ReadRtf(const QByteArray& data, QTextDocument* document);

} // namespace platform::rtf
