#pragma once

#include "storage/settingsrecord.h"

#include <QString>
#include <QStringList>

#include <functional>

// What a reader needs beside the program: every file the settings record and the Topics of the
// topic store refer to, gathered in a fixed order without duplicates, checked, and copied into a
// distribution directory.
namespace publish {

enum class DistributedProgram
{
    Compiled,   // NAME.SWC with the viewer "meridox.exe"
    Executable, // NAME.EXE
};

// Asked for each program Topic (type 4): true to take its program along.
using IncludeProgram = std::function<bool(const QString& name)>;

// "Do you want to include the executable program " + name + ". See Help for information"
QString IncludeProgramQuestion(const QString& name);

// Adds the name unless it is empty, lies in the list's .history/ folder or the list already holds
// exactly that text.
void AddDistributionName(QStringList& names, const QString& name);

// The one file an opening or closing command needs (the last non-empty of its file fields, with
// the program rules of types 4 and 9), or empty. Names resolve in the Study List directory.
QString CommandFileName(const storage::CommandSettings& command, const QString& directory);

// The files the record and the Topics of the store refer to, in the order a reader meets them:
// commands, about box icon, introduction background, program background, menu screen files, then
// each Topic's files in store order. Names stay as stored.
QStringList GatherDistributionFiles(const storage::SettingsRecord& record, const QString& directory,
                                    const QString& store, const IncludeProgram& includeProgram);

// Hands every Topic entry, in order, to the visitor: a topic store or a compiled list.
using TopicVisitor = std::function<void(const QStringList& entry)>;
using TopicWalk = std::function<void(const TopicVisitor& visit)>;

// The same gathering over Topics that come from elsewhere (a compiled list, say).
QStringList GatherDistributionFiles(const storage::SettingsRecord& record, const QString& directory,
                                    const TopicWalk& topics, const IncludeProgram& includeProgram);

// The gathered names for which no file exists in the Study List directory (letter case ignored).
QStringList MissingFiles(const QStringList& names, const QString& directory);

// Copies each name, in order, into the destination under its own file name (folders in the name
// are dropped), overwriting files there. The first failed copy throws shell::Error; the files
// copied before it stay.
void CopyDistributionFiles(const QStringList& names, const QString& directory, const QString& destination);

} // namespace publish
