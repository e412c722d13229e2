#include "publish/distribution.h"

#include "runtime/topicrunner.h"
#include "shell/filenames.h"
#include "shell/history.h"
#include "shell/utilities.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QFile>
#include <QFileInfo>

namespace publish {

namespace {

QString BeforeFirst(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

// The part after the first blank, or empty when there is no blank.
QString AfterFirstBlank(const QString& text)
{
    const qsizetype at = text.indexOf(QLatin1Char(' '));
    return at < 0 ? QString() : text.mid(at + 1);
}

bool FileExists(const QString& directory, const QString& name)
{
    return !name.isEmpty() && QFileInfo(shell::ResolveName(directory, name)).isFile();
}

void AddTopicFiles(QStringList& names, const QStringList& entry, const QString& directory,
                   const IncludeProgram& includeProgram)
{
    const QString value = runtime::TopicCommandValue(entry);
    switch (runtime::TopicTypeCode(entry)) {
    case 2:
        if (value.contains(QLatin1Char(',')))
            AddDistributionName(names, BeforeFirst(value, QLatin1Char(',')));
        break;
    case 3:
    case 7:
    case 8:
    case 10:
        AddDistributionName(names, value);
        break;
    case 4: {
        const QString program = BeforeFirst(value, QLatin1Char(','));
        if (!program.isEmpty() && includeProgram(program))
            AddDistributionName(names, program);
        break;
    }
    case 5: {
        // The display record sits at fixed lines of the entry; a line of page text or a name that
        // happens to start with "SGraphic=" is no file of the screen.
        storage::TopicDisplayRecord record;
        QStringList pageText;
        storage::ParsePageEntry(entry, record, pageText);
        for (const QString& file : {record.BackgroundGraphic, record.BackgroundTile})
            if (shell::IsValidFileName(file))
                AddDistributionName(names, file);
        break;
    }
    case 6: {
        const QStringList parts = value.split(QLatin1Char(','));
        AddDistributionName(names, parts.value(0));
        if (parts.size() > 1)
            AddDistributionName(names, parts.value(1));
        break;
    }
    case 9: {
        const QString file = AfterFirstBlank(value);
        if (FileExists(directory, file))
            AddDistributionName(names, file);
        break;
    }
    case 13:
        if (FileExists(directory, value))
            AddDistributionName(names, value);
        break;
    default:
        break;
    }
}

// A screen's background file: its wallpaper when set, else its picture.
QString ScreenBackgroundFile(const storage::WindowDesign& window)
{
    return window.BackgroundTile.isEmpty() ? window.BackgroundGraphic : window.BackgroundTile;
}

} // namespace

QString IncludeProgramQuestion(const QString& name)
{
    return QStringLiteral("Do you want to include the executable program ") + name +
           QStringLiteral(". See Help for information");
}

void AddDistributionName(QStringList& names, const QString& name)
{
    // The author's earlier versions and drafts stay at home, whatever a Topic names.
    const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    if (parts.contains(QLatin1String(shell::kHistoryFolder), Qt::CaseInsensitive))
        return;
    if (!name.isEmpty() && !names.contains(name, Qt::CaseSensitive))
        names.append(name);
}

QString CommandFileName(const storage::CommandSettings& command, const QString& directory)
{
    QString name;
    for (const QString* field : {&command.GraphicFile, &command.PairGraphicFile, &command.VoiceFile,
                                 &command.PairSoundFile, &command.ProgramCommand})
        if (!field->isEmpty())
            name = *field;
    const QString& program = command.ProgramCommand;
    if (program.isEmpty())
        return name;
    if (command.CommandType == 4 && program.contains(QLatin1Char(',')))
        return BeforeFirst(program, QLatin1Char(','));
    if (command.CommandType == 9 && program.contains(QLatin1Char(' '))) {
        const QString file = AfterFirstBlank(program);
        return FileExists(directory, file) ? file : QString();
    }
    return name;
}

QStringList GatherDistributionFiles(const storage::SettingsRecord& record, const QString& directory,
                                    const QString& store, const IncludeProgram& includeProgram)
{
    return GatherDistributionFiles(
        record, directory,
        [&store](const TopicVisitor& visit) { storage::ForEachEntry(store, storage::kTopicKind, visit); },
        includeProgram);
}

QStringList GatherDistributionFiles(const storage::SettingsRecord& record, const QString& directory,
                                    const TopicWalk& topics, const IncludeProgram& includeProgram)
{
    QStringList names;
    const storage::PresentationBlock& presentation = record.Presentation;
    if (presentation.UseOpeningCommand)
        AddDistributionName(names, CommandFileName(presentation.OpeningCommand, directory));
    if (presentation.UseClosingCommand)
        AddDistributionName(names, CommandFileName(presentation.ClosingCommand, directory));
    if (presentation.UseAboutBox)
        AddDistributionName(names, presentation.AboutBox.IconFile);
    if (presentation.UseIntroduction)
        AddDistributionName(names, ScreenBackgroundFile(presentation.IntroScreen.Window));

    const storage::ProgramSettings& program = record.Program;
    if (program.BackgroundKind == 2)
        AddDistributionName(names, program.BackgroundGraphic);
    else if (program.BackgroundKind == 3)
        AddDistributionName(names, program.BackgroundTile);

    if (record.UseMenuScreen) {
        if (program.UseIcon)
            AddDistributionName(names, program.IconFile);
        if (program.UseHelpFile)
            AddDistributionName(names, program.HelpFile);
        AddDistributionName(names, ScreenBackgroundFile(record.MenuScreen.Window));
    }

    topics([&](const QStringList& entry) { AddTopicFiles(names, entry, directory, includeProgram); });
    return names;
}

QStringList MissingFiles(const QStringList& names, const QString& directory)
{
    QStringList missing;
    for (const QString& name : names)
        if (!FileExists(directory, name))
            missing.append(name);
    return missing;
}

void CopyDistributionFiles(const QStringList& names, const QString& directory, const QString& destination)
{
    for (const QString& name : names) {
        const QString source = shell::ResolveName(directory, name);
        const QString target = shell::WithTrailingSeparator(destination) + QFileInfo(source).fileName();
        shell::CopyFileInto(source, target);
        // The reader program and NAME.EXE must still run where the reader puts them.
        const QFileDevice::Permissions permissions = QFile::permissions(source);
        const QFileDevice::Permissions execute = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                                                 QFileDevice::ExeOther;
        if (permissions & execute)
            QFile::setPermissions(target, QFile::permissions(target) | (permissions & execute));
    }
}

} // namespace publish
