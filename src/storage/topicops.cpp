#include "storage/topicops.h"

#include "shell/error.h"

#include <QFile>
#include <QFileInfo>

namespace storage {

bool HasEntriesOfKind(const QString& store, const QString& kind)
{
    if (!QFileInfo::exists(store))
        return false;
    QFile file(store);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), store, file.errorString());
    const QByteArray wanted = "source=" + kind.toUpper().toUtf8();
    bool afterHead = false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (afterHead && line == wanted)
            return true;
        afterHead = line.startsWith('[');
    }
    return false;
}

} // namespace storage
