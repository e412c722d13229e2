#include "storage/topicstore.h"

#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/textcodec.h"

#include <QFile>
#include <QFileInfo>

namespace storage {

namespace {

QStringList ReadLines(const QString& store)
{
    QFile file(store);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), store, file.errorString());
    QStringList lines;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(shell::DecodeText(line));
    }
    return lines;
}

void WriteLines(const QString& store, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    shell::WriteFileAtomically(store, bytes);
}

QString JoinFirstBlank(const QString& text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return text;
    return text.left(blank) + QLatin1Char(',') + text.mid(blank + 1);
}

} // namespace

void ConvertOldStore(const QString& store)
{
    if (!QFileInfo::exists(store))
        return;
    QStringList lines = ReadLines(store);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == QLatin1String("type=2")) {
            lines[i + 1] = JoinFirstBlank(lines[i + 1]);
            ++i;
        } else if (lines[i] == QLatin1String("type=6")) {
            lines[i + 1] = JoinFirstBlank(JoinFirstBlank(lines[i + 1]));
            ++i;
        }
    }
    WriteLines(store, lines);
}

} // namespace storage
