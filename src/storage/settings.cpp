#include "storage/settings.h"

#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/utilities.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace storage {

namespace {

QByteArray ReadHead(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), path, file.errorString());
    return file.read(size);
}

// The record in the first `size` bytes of the Study List file `path`, read by `decode`; a file too
// short (or refused by `decode`) is reported as damaged.
SettingsRecord ReadRecord(const QString& path, qint64 size, bool (*decode)(QByteArrayView, SettingsRecord&))
{
    const QByteArray bytes = ReadHead(path, size);
    SettingsRecord record;
    if (!decode(bytes, record))
        throw shell::Error(
            QStringLiteral("The Study List file %1 is damaged: it holds %2 bytes instead of %3.")
                .arg(QDir::toNativeSeparators(path))
                .arg(bytes.size())
                .arg(size));
    return record;
}

void TakeDerivedValues(shell::AppState& state)
{
    state.MenuScreenCopy = state.Settings.UseMenuScreen;
    state.CurrentTitle = state.Settings.Program.Title;
    state.StartPrompt = state.Settings.Presentation.Captions.StartPrompt;
}

} // namespace

void NewSettings(shell::AppState& state)
{
    state.Settings = SettingsRecord();
    state.MenuScreenCopy = true;
}

void SaveSettings(shell::AppState& state, const QString& change)
{
    shell::WriteFileAtomically(state.resolve(state.SettingsPath), EncodeSettings(state.Settings), change);
}

void LoadSettings(shell::AppState& state)
{
    const SettingsRecord record =
        ReadRecord(state.resolve(state.SettingsPath), kSettingsSize, DecodeSettings);
    state.Settings = record;
    state.StartPrompt = record.Presentation.Captions.StartPrompt;
    state.MenuScreenCopy = record.UseMenuScreen;
}

void ConvertSettings(shell::AppState& state)
{
    const SettingsRecord record =
        ReadRecord(state.resolve(state.SettingsPath), kOldSettingsSize, ConvertEarlierRecord);
    state.Settings = record;
    SaveSettings(state, QStringLiteral("Converted from the earlier version"));
    ConvertOldStore(state.resolve(state.TopicStorePath));
}

QString ConversionQuestion(const QString& settingsPath)
{
    return shell::FileNameOf(settingsPath) + QStringLiteral(" was created with an earlier ") +
           QStringLiteral("version of Quorvel. Would you like to convert it to the ") + QStringLiteral("new version?");
}

void OpenSettings(shell::AppState& state)
{
    state.TopicStorePath = shell::ChangeExtension(state.SettingsPath, QStringLiteral(".SWR"));
    const QString path = state.resolve(state.SettingsPath);
    if (!QFileInfo::exists(path)) {
        NewSettings(state);
        SaveSettings(state);
    } else if (IsEarlierVersion(ReadHead(path, 5))) {
        if (!shell::AskYesNo(ConversionQuestion(state.SettingsPath))) {
            state.SettingsPath.clear();
            state.TopicStorePath.clear();
            return;
        }
        ConvertSettings(state);
    }
    LoadSettings(state);
    TakeDerivedValues(state);
}

} // namespace storage
