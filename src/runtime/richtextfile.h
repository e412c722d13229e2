#pragma once

#include <QString>

class QTextDocument;

namespace runtime {

// The tutorial viewer refuses files larger than this rather than reading them into memory.
constexpr qint64 kMaxRichTextFileSize = 16 * 1024 * 1024;

// Fills the document from a file shown by the tutorial viewer. The one place where the viewer's
// file is turned into a document: a rich-text file becomes formatted text, any other file is shown
// as plain text. Throws shell::Error naming the file when it cannot be read or is too large.
void LoadRichTextFile(QTextDocument* document, const QString& path);

} // namespace runtime
