#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Earlier versions of a Study List's files. Before NAME.SWR is rewritten or NAME.SWJ saved, the
// file being replaced is hard-linked into the hidden folder `.history/` beside it, so keeping a
// version costs one link, not a copy; the rename that follows gives the live name a new file and
// leaves the old one to the link. A version is named after its file and the time it was replaced
// ("NAME.SWR~20261209-033512-123"); a small text file beside it ("....txt") says what change
// replaced it. The newest kMaxVersions of each file are kept, older ones are removed.
namespace shell {

constexpr int kMaxVersions = 20;

// The name of the hidden folder, which compile, executable, distribution and publish never take.
inline constexpr char kHistoryFolder[] = ".history";

struct FileVersion
{
    QString path;     // the version in .history/
    QString fileName; // the live file it was a version of ("NAME.SWR")
    QDateTime time;   // when it was replaced
    QString change;   // what replaced it ("Topic "Rivers" deleted")
};

// The .history folder of the Study List whose file is `path`.
QString HistoryFolderOf(const QString& path);

// Keeps the file at `path` (if it exists) as a version, noting `change`, and removes the oldest
// versions of that file beyond kMaxVersions. A version that cannot be kept (read-only folder, a
// file system without links and no room for a copy) is skipped silently: the save it precedes
// matters more than its history.
void KeepVersion(const QString& path, const QString& change);

// Every version of the files named `fileNames` in `folder` (a Study List's folder), newest first.
QList<FileVersion> ListVersions(const QString& folder, const QStringList& fileNames);

// Replaces the live file with the version (atomically), first keeping the live file as a version
// itself so the restore can be taken back as well. Throws shell::Error naming the file.
void RestoreVersion(const FileVersion& version, const QString& livePath);

// "2026-12-09 03:35:12", the time as the history dialog and change notes show it.
QString VersionTimeText(const QDateTime& time);

} // namespace shell
