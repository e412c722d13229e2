#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// A SCORM package: imsmanifest.xml at the root of a zip file, describing one organization with one
// item whose one resource (a SCO) is the published player, every file of the package listed.
namespace publish {

enum class ScormEdition
{
    Scorm12,      // ADL SCORM 1.2, IMS Content Packaging 1.1.2
    Scorm2004_4th // ADL SCORM 2004 4th Edition, IMS Content Packaging 1.1.4
};

// The manifest of a package whose files (relative paths with "/", the manifest itself left out)
// are `files`; `title` names the organization and its item, `identifier` the manifest.
QByteArray ScormManifest(ScormEdition edition, const QString& title, const QString& identifier,
                         const QStringList& files);

// Called with each file's relative path as it goes into the zip (percent of the whole); answers
// false to stop.
using ZipProgress = std::function<bool(const QString& file, int percent)>;

// Writes the zip of `files` (relative to `folder`) to `zipPath`, pictures, sound and video stored
// as they are and everything else deflated. Throws shell::Error naming the zip on failure and
// when `progress` stops it; no zip file is left behind then.
void WriteZip(const QString& folder, const QStringList& files, const QString& zipPath, const ZipProgress& progress);

// The relative paths of every file in the zip, in the zip's order (for checks and tests).
// Throws shell::Error when it cannot be read.
QStringList ZipEntries(const QString& zipPath);

// One entry's bytes, at most `limit` of them.
QByteArray ZipEntry(const QString& zipPath, const QString& entry, qint64 limit = 64 * 1024 * 1024);

} // namespace publish
