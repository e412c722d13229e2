#include "runtime/notesfile.h"

#include "shell/atomicfile.h"
#include "shell/boundedread.h"
#include "shell/error.h"
#include "shell/textcodec.h"

#include <QDir>
#include <QFile>

namespace runtime {

namespace {

// Every carriage return just before a line feed belongs to the line end (CR LF, or the CR CR LF
// some programs leave), so none stays behind to make a line end of its own when written back.
QString WithLfLineEnds(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype returns = 0;
    for (const QChar c : text) {
        if (c == u'\r') {
            ++returns;
            continue;
        }
        if (returns > 0 && c != u'\n')
            out.append(QString(returns, u'\r'));
        returns = 0;
        out += c;
    }
    return out.append(QString(returns, u'\r'));
}

} // namespace

NotesText ReadNotesFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot read"), path, file.errorString());
    if (file.size() > kMaxNotesFileSize)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path,
                              QStringLiteral("the file is too large for the notes editor"));
    // One byte past the limit, so a file that grows while it is read is still bounded.
    const QByteArray bytes = shell::ReadAtMost(file, kMaxNotesFileSize);
    if (file.error() != QFileDevice::NoError)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path, file.errorString());
    if (bytes.size() > kMaxNotesFileSize || bytes.count('\n') > kMaxNotesLines)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path,
                              QStringLiteral("the file is too large for the notes editor"));

    NotesText notes;
    notes.text = shell::DecodeText(bytes);
    notes.windows1252 = !bytes.isValidUtf8();
    // CR LF files are written back with CR LF; a file that mixes both kinds comes back with LF.
    const qsizetype pairs = notes.text.count(QStringLiteral("\r\n"));
    notes.crlf = pairs > 0 && pairs == notes.text.count(QLatin1Char('\n'));
    if (pairs > 0)
        notes.text = WithLfLineEnds(notes.text);
    return notes;
}

void WriteNotesFile(const QString& path, const NotesText& notes)
{
    QString text = notes.text;
    if (notes.crlf)
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    shell::WriteFileAtomically(path, notes.windows1252 ? shell::EncodeText(text) : text.toUtf8());
}

} // namespace runtime
