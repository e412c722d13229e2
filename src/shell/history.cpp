#include "shell/history.h"

#include "shell/atomicfile.h"
#include "shell/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <unistd.h>

namespace shell {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr QChar kSeparator = QLatin1Char('~');
const QString kNoteSuffix = QStringLiteral(".txt");

bool IsVersionName(const QString& name, const QString& fileName)
{
    return name.size() > fileName.size() + 1 && name.startsWith(fileName, Qt::CaseInsensitive) &&
           name.at(fileName.size()) == kSeparator && !name.endsWith(kNoteSuffix);
}

QDateTime StampTime(const QString& name)
{
    const QString stamp = name.mid(name.lastIndexOf(kSeparator) + 1).left(kStampFormat.size());
    return QDateTime::fromString(stamp, kStampFormat);
}

bool LinkOrCopy(const QString& from, const QString& to)
{
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    // Some file systems (FAT on a memory stick) have no hard links; a copy still keeps the version.
    return errno != EEXIST && QFile::copy(from, to);
}

void RemoveOldest(const QString& history, const QString& fileName)
{
    QStringList names;
    for (const QString& name : QDir(history).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (IsVersionName(name, fileName))
            names.append(name);
    }
    // Stamps sort by time, so the oldest come first.
    for (qsizetype i = 0; i + kMaxVersions < names.size(); ++i) {
        QFile::remove(history + QLatin1Char('/') + names[i]);
        QFile::remove(history + QLatin1Char('/') + names[i] + kNoteSuffix);
    }
}

} // namespace

QString HistoryFolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath() + QLatin1Char('/') + QLatin1String(kHistoryFolder);
}

QString VersionTimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

void KeepVersion(const QString& path, const QString& change)
{
    const QFileInfo live(path);
    if (!live.isFile())
        return;
    const QString history = HistoryFolderOf(path);
    if (!QDir().mkpath(history))
        return;
    const QString base = history + QLatin1Char('/') + live.fileName() + kSeparator +
                         QDateTime::currentDateTime().toString(kStampFormat);
    // Two saves within one millisecond get a counter after the stamp.
    QString version = base;
    for (int n = 2; QFileInfo::exists(version); ++n)
        version = base + QStringLiteral("-%1").arg(n, 3, 10, QLatin1Char('0'));
    QFile note(version + kNoteSuffix);
    if (note.open(QIODevice::WriteOnly))
        note.write(change.toUtf8());
    note.close();
    if (!LinkOrCopy(path, version)) {
        note.remove();
        return;
    }
    RemoveOldest(history, live.fileName());
}

QList<FileVersion> ListVersions(const QString& folder, const QStringList& fileNames)
{
    QList<FileVersion> versions;
    const QString history = folder + QLatin1Char('/') + QLatin1String(kHistoryFolder);
    for (const QString& name : QDir(history).entryList(QDir::Files | QDir::Hidden)) {
        for (const QString& fileName : fileNames) {
            if (!IsVersionName(name, fileName))
                continue;
            FileVersion version{history + QLatin1Char('/') + name, fileName, StampTime(name), {}};
            QFile note(version.path + kNoteSuffix);
            if (note.open(QIODevice::ReadOnly))
                version.change = QString::fromUtf8(note.read(4096));
            versions.append(version);
        }
    }
    // Newest first; the stamp (with its counter) orders versions of all the files together.
    const auto stamp = [](const FileVersion& v) { return v.path.section(kSeparator, -1); };
    std::sort(versions.begin(), versions.end(),
              [&stamp](const FileVersion& a, const FileVersion& b) { return stamp(a) > stamp(b); });
    return versions;
}

void RestoreVersion(const FileVersion& version, const QString& livePath)
{
    QFile file(version.path);
    if (!file.open(QIODevice::ReadOnly))
        ThrowFileError(QStringLiteral("Cannot open file"), version.path, file.errorString());
    AtomicWriter writer(livePath);
    writer.keepVersion(QStringLiteral("Version of %1 restored").arg(VersionTimeText(version.time)));
    while (!file.atEnd()) {
        const QByteArray block = file.read(1024 * 1024);
        if (block.isEmpty() && file.error() != QFileDevice::NoError)
            ThrowFileError(QStringLiteral("Cannot read file"), version.path, file.errorString());
        writer.write(block);
    }
    writer.commit();
}

} // namespace shell
