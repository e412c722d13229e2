#pragma once

#include "storage/settingsrecord.h"

#include <QMap>
#include <QPoint>
#include <QString>

namespace shell {

// The process-wide values of one program run, created in main() and passed by reference. Nothing
// else in the program is global apart from the platform services (dialogs, help).
struct AppState
{
    // Directory of the running program, with a trailing "/": the help file, the tutorial and the
    // reader stub are looked up there.
    QString ProgramDirectory;
    // The process's current directory: the program directory at start-up, afterwards the
    // directory of the current Study List, with a trailing "/".
    QString WorkingDirectory;
    QString HelpFilePath;
    // Offset of a 640 x 480 design area centred in the main window.
    QPoint DesignOrigin;
    bool LowColour = false;
    // The presentation windows draw the 640 x 480 design at this factor (screens, places, fonts,
    // pictures): the reader program and the preview fit the design to the screen; everywhere
    // else, the layout adjusters above all, it stays 1.
    double ScreenFit = 1.0;
    // Ctrl+0 in the presentation windows: the design size instead of the fit, and back.
    bool DesignSizeOnly = false;
    double designScale() const { return DesignSizeOnly ? 1.0 : ScreenFit; }

    // The current Study List: NAME.SWJ and NAME.SWR (empty when none is open) and its record.
    QString SettingsPath;
    QString TopicStorePath;
    storage::SettingsRecord Settings;
    // The copy of UseMenuScreen that the list presentation dialog edits and the buttons read.
    bool MenuScreenCopy = true;

    QString CurrentTitle;
    QString CurrentTopicTitle;
    QString StartPrompt = QStringLiteral("Press the Start button");

    // Set by the reader presenting a NAME.SWC: a compiled list is a document anyone may hand over,
    // so a program it would start, or a file it would open with its program, is asked about first,
    // once each; the answers are kept here for the rest of the run.
    bool AskBeforePrograms = false;
    QMap<QString, bool> ProgramAnswers;

    bool hasStudyList() const { return !SettingsPath.isEmpty(); }
    // A name of the current Study List resolved in its directory without regard to case.
    QString resolve(const QString& name) const;
    // NAME of NAME.SWJ.
    QString listName() const;
};

} // namespace shell
