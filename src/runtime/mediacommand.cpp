#include "runtime/mediacommand.h"

#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QFileInfo>
#include <QStringList>
#include <limits>

namespace runtime {

namespace {

bool ContainsAny(const QString& part, std::initializer_list<QLatin1String> needles)
{
    for (const QLatin1String& needle : needles) {
        if (part.contains(needle))
            return true;
    }
    return false;
}

// n tenths of a second in milliseconds, held inside what a timer takes.
int TenthsToMilliseconds(const QString& part)
{
    const qint64 tenths = part.trimmed().toLongLong();
    const qint64 ms = tenths * 100;
    if (ms > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (ms < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(ms);
}

// The file's path in the Study List directory, or empty when no file of that name exists there.
QString ExistingFile(const QString& directory, const QString& name)
{
    const QString path = shell::ResolveName(directory, name);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

MediaCommand ParseMediaCommand(const QString& commandText)
{
    MediaCommand command;
    const QStringList parts = commandText.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size() && i < kMaxMediaParts; ++i) {
        const QString part = parts[i].trimmed().toUpper();
        bool named = false;
        if (ContainsAny(part, {QLatin1String(".BMP"), QLatin1String(".JPG"), QLatin1String(".WMF")})) {
            command.picture = part;
            command.pictureAsWritten = parts[i].trimmed();
            named = true;
        }
        if (ContainsAny(part, {QLatin1String(".WAV"), QLatin1String(".MID")})) {
            command.sound = part;
            named = true;
        }
        if (part.contains(QLatin1String(".AVI"))) {
            command.video = part;
            named = true;
        }
        if (!named && shell::IsInteger(part))
            command.displayTime = TenthsToMilliseconds(part);
    }
    return command;
}

QString MissingFileMessage(const QString& name)
{
    return QStringLiteral("The file ") + name + QStringLiteral(" is missing");
}

QString UnshownGraphicMessage(const QString& name)
{
    return QStringLiteral("The graphic file ") + name + QStringLiteral(" cannot be shown");
}

bool IsWaveName(const QString& name)
{
    return shell::ExtensionOf(name).compare(QLatin1String(".WAV"), Qt::CaseInsensitive) == 0;
}

bool IsMidiName(const QString& name)
{
    return shell::ExtensionOf(name).compare(QLatin1String(".MID"), Qt::CaseInsensitive) == 0;
}

MediaAction DecideMediaShow(const QString& commandText, const QString& studyListDirectory)
{
    const MediaCommand command = ParseMediaCommand(commandText);
    MediaAction action;
    action.displayTime = command.displayTime;

    // A video wins over everything else the text names.
    if (!command.video.isEmpty()) {
        action.mediaPath = ExistingFile(studyListDirectory, command.video);
        if (action.mediaPath.isEmpty()) {
            action.kind = MediaActionKind::ReportMissing;
            action.message = MissingFileMessage(command.video);
        } else {
            action.kind = MediaActionKind::PlayVideo;
        }
        return action;
    }
    if (!command.picture.isEmpty()) {
        action.pictureName = command.pictureAsWritten;
        action.picturePath = ExistingFile(studyListDirectory, command.picture);
        if (action.picturePath.isEmpty()) {
            action.kind = MediaActionKind::ReportMissing;
            action.message = MissingFileMessage(command.picture);
            return action;
        }
    }
    if (!command.sound.isEmpty()) {
        action.soundPath = ExistingFile(studyListDirectory, command.sound);
        if (action.soundPath.isEmpty()) {
            action.kind = MediaActionKind::ReportMissing;
            action.message = MissingFileMessage(command.sound);
            action.picturePath.clear();
            return action;
        }
    }

    if (!command.picture.isEmpty()) {
        action.kind = MediaActionKind::ShowPicture;
    } else if (IsWaveName(command.sound)) {
        action.kind = MediaActionKind::PlayWave;
    } else if (IsMidiName(command.sound)) {
        action.kind = MediaActionKind::OpenMidiPlayer;
        action.mediaPath = action.soundPath;
    }
    return action;
}

} // namespace runtime
