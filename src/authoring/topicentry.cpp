#include "authoring/topicentry.h"

#include "shell/filenames.h"
#include "shell/utilities.h"
#include "storage/topicstore.h"

namespace authoring {

namespace {

// The value of a stored line: everything after its first "="; a line without one gives nothing.
QString ValueOf(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.mid(equals + 1);
}

int NumberOr0(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool IsPageType(int type)
{
    return type == kTypeText || type == kTypeGraphicText;
}

} // namespace

int EntryTypeCode(const QStringList& extracted)
{
    if (extracted.size() < 3)
        return 0;
    return NumberOr0(ValueOf(extracted[2]).left(2));
}

QString EntryCommandValue(const QStringList& extracted)
{
    return extracted.size() < 4 ? QString() : ValueOf(extracted[3]);
}

TopicEntry LoadTopicEntry(const QStringList& extracted)
{
    TopicEntry entry;
    entry.editMode = true;
    entry.oldName = extracted.value(0);
    const int type = EntryTypeCode(extracted);
    const QString value = EntryCommandValue(extracted);
    switch (type) {
    case kTypeText:
    case kTypeGraphicText:
        storage::ParsePageEntry(extracted, entry.record, entry.pageText);
        break;
    case kTypeGraphic:
        entry.graphicFile = value.section(QLatin1Char(','), 0, 0);
        // At most five characters after the first ",".
        entry.duration =
            value.contains(QLatin1Char(',')) ? NumberOr0(value.section(QLatin1Char(','), 1).left(5)) : 0;
        break;
    case kTypeWave:
        entry.waveFile = value;
        break;
    case kTypeProgram:
    case kTypeWindowsProgram:
    case kTypeHtml:
        entry.programCommand = value;
        break;
    case kTypeGraphicSound:
        entry.graphicFile = value.section(QLatin1Char(','), 0, 0);
        entry.soundFile = value.section(QLatin1Char(','), 1, 1);
        entry.duration = NumberOr0(value.section(QLatin1Char(','), 2));
        break;
    case kTypeVideo:
        entry.videoFile = value;
        break;
    case kTypeMidi:
        entry.midiFile = value;
        break;
    default:
        break;
    }
    if (!IsPageType(type))
        entry.commandValue = value;
    entry.selectedType = type;
    entry.chosenType = type;
    return entry;
}

QString KeepOrPropose(const QString& directory, const QString& current, const QStringList& patterns)
{
    if (!current.isEmpty() && shell::NameExists(directory, current))
        return current;
    for (const QString& pattern : patterns) {
        if (const auto found = shell::FindInWorkingDirectory(directory, pattern))
            return *found;
    }
    return {};
}

SaveDecision DecideSave(const TopicEntry& entry, const QString& name)
{
    SaveDecision decision;
    if (entry.chosenType != entry.selectedType) {
        decision.kind = SaveDecision::Refuse;
        decision.message = QStringLiteral("No data has been entered.");
        return decision;
    }
    TopicSave& save = decision.save;
    save.replace = entry.editMode;
    save.name = name;
    save.oldName = entry.oldName;
    save.type = entry.chosenType;
    switch (entry.chosenType) {
    case kTypeText:
    case kTypeGraphicText:
        if (entry.pageText.isEmpty()) {
            decision.kind = SaveDecision::Refuse;
            decision.message = QStringLiteral("No Text information was entered.");
            return decision;
        }
        save.page = true;
        save.pageText = entry.pageText;
        save.record = entry.record;
        decision.kind = SaveDecision::Write;
        return decision;
    case kTypeGraphic:
    case kTypeWave:
    case kTypeProgram:
    case kTypeGraphicSound:
    case kTypeVideo:
    case kTypeMidi:
    case kTypeWindowsProgram:
    case kTypeHtml:
        save.command = entry.commandValue;
        decision.kind = entry.commandValue.isEmpty() ? SaveDecision::StayOpen : SaveDecision::Write;
        return decision;
    case kTypeNotes:
        // A notes Topic may be saved before its file is named.
        save.command = entry.commandValue;
        decision.kind = SaveDecision::Write;
        return decision;
    default:
        // A type code this dialog does not make (read from a foreign store): nothing to write.
        decision.kind = SaveDecision::StayOpen;
        return decision;
    }
}

QString NoNameMessage(const QString& labelCaption)
{
    return QStringLiteral("The ") + labelCaption + QStringLiteral(" has not been entered");
}

QString NameInUseMessage(const QString& name)
{
    return QStringLiteral("The Link ") + name + QStringLiteral(" is already in use");
}

void WriteTopic(const QString& store, const TopicSave& save)
{
    const QString& kind = storage::kTopicKind;
    if (save.page) {
        if (save.replace)
            storage::ReplacePageEntry(store, save.name, save.oldName, kind, save.pageText, save.record,
                                      save.type);
        else
            storage::AppendPageEntry(store, save.name, save.type, kind, save.pageText, save.record);
        return;
    }
    if (save.replace)
        storage::ReplaceCommandEntry(store, save.name, save.oldName, kind, save.command, save.type);
    else
        storage::AppendCommandEntry(store, save.name, save.type, kind, save.command);
}

} // namespace authoring
