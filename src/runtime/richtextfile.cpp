#include "runtime/richtextfile.h"

#include "platform/rtf/rtfreader.h"
#include "shell/boundedread.h"
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
    const QByteArray bytes = shell::ReadAtMost(file, kMaxRichTextFileSize);
    if (file.error() != QFileDevice::NoError)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path, file.errorString());
    if (bytes.size() > kMaxRichTextFileSize)
        shell::ThrowFileError(QStringLiteral("Cannot read"), path,
                              QStringLiteral("the file is too large to be shown"));
    // A file that is not rich text is shown as plain text.
    if (!platform::rtf::LooksLikeRtf(bytes) || !platform::rtf::ReadRtf(bytes, document))
        document->setPlainText(shell::DecodeText(bytes));
}

} // namespace runtime
