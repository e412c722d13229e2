#pragma once

#include <QString>

class QTextDocument;

namespace platform::rtf {

// Reads a document another program wrote into `document` (cleared first), by its extension:
// .TXT as plain text, .RTF through our RTF reader, .HTM/.HTML and .MD through Qt's readers, and
// .DOCX and .ODT through pandoc, which turns them into HTML with their pictures beside it; the
// pictures become pictures of the document. Headings, lists and tables come along.
//
// Returns an empty string on success, otherwise why the document could not be read, in words for
// the author ("pandoc is not installed ...", "the file is not a Word document", ...). On failure
// the document is left empty.
QString ImportDocument(const QString& path, QTextDocument* document);

// Gives `to` the picture resources of `from` that `to`'s text shows.
void CopyPictures(const QTextDocument& from, QTextDocument* to);

// Replaces what `to` holds with what `from` holds, pictures and tab settings included.
void CopyDocument(const QTextDocument& from, QTextDocument* to);

// The line of a file box's filter (description|patterns) for the documents of other programs that
// ImportDocument reads besides .TXT and .RTF.
QString ImportDocumentFilterLine();

// Files larger than this are not read, and pandoc may not write more than this.
constexpr qint64 kMaxImportDocumentBytes = 64LL * 1024 * 1024;
// How long pandoc may take over one document.
constexpr int kPandocTimeoutMs = 60'000;

// The program run for .DOCX and .ODT ("pandoc", found on the PATH); tests point it elsewhere.
void SetPandocProgram(const QString& program);

} // namespace platform::rtf
