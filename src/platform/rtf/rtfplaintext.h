#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace platform::rtf {

// The text of an RTF stream without its formatting, for searching: what the reader would read,
// with paragraphs and line breaks as "\n" and tabs and cells as "\t". Font tables, colour
// tables, pictures, field instructions and every "\*" destination are left out; 8-bit text is
// decoded in the document's code page and "\uN" characters are kept. Damaged streams are read
// as far as they make sense, never refused; data that is not RTF comes back decoded as it stands.
// Unlike ReadRtf no document is built, so a 50 MB list reads in well under a second.
QString RtfPlainText(QByteArrayView data);

// The plain text of a page's stored lines, read the way LoadRtfLines reads them.
QString PagePlainText(const QStringList& lines);

} // namespace platform::rtf
