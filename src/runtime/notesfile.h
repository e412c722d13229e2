#pragma once

#include <QString>

namespace runtime {

// A notes file as the notes editor holds it: the text with "\n" line breaks, and whether the file
// broke its lines with CR LF, so saving writes them back the way they came.
struct NotesText
{
    QString text;
    bool crlf = false;
    // A file of the earlier 8-bit programs (not UTF-8) is saved in Windows-1252 again where it can be.
    bool windows1252 = false;
};

// Notes files larger than this are refused rather than read into memory.
constexpr qint64 kMaxNotesFileSize = 64 * 1024 * 1024;
// And so are files of more lines than this: every line is a block of the editor, and a file of
// millions of empty lines would hold its window for minutes.
constexpr qint64 kMaxNotesLines = 1000 * 1000;

// Reads a notes file (UTF-8, or Windows-1252 when it is not valid UTF-8). Throws shell::Error
// naming the file when it cannot be read or is larger than kMaxNotesFileSize or kMaxNotesLines.
NotesText ReadNotesFile(const QString& path);

// Writes the text as UTF-8, with CR LF line breaks when `crlf` is set, atomically: a failed write
// leaves the old file whole. Throws shell::Error naming the file and the reason.
void WriteNotesFile(const QString& path, const NotesText& notes);

} // namespace runtime
