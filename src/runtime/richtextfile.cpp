#include "runtime/richtextfile.h"

#include "shell/error.h"
#include "shell/textcodec.h"

#include <QFile>
#include <QTextDocument>

namespace runtime {

void LoadRichTextFile(QTextDocument* document, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot read"), path, file.errorString());
    const QByteArray bytes = file.read(kMaxRichTextFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path, file.errorString());
    if (bytes.size() > kMaxRichTextFileSize)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path,
                              QStringLiteral("the file is too large to be shown"));
    // Until the RTF reader joins the build every file is shown as plain text; with it, a file that
    // LooksLikeRtf is read by ReadRtf into the document and any other file stays plain text.
    document->setPlainText(shell::DecodeText(bytes));
}

} // namespace runtime
