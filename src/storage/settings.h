#pragma once

#include "shell/appstate.h"

// Opening, creating, saving and converting the settings record of the current Study List
// (AppState::SettingsPath). Failures throw shell::Error; the caller's operation frame shows them.
namespace storage {

// Resets the record to a new Study List's defaults and turns the menu-screen copy on.
void NewSettings(shell::AppState& state);

// Writes the 5105 bytes to NAME.SWJ. The file is replaced atomically: a failed or interrupted
// save leaves the previous file whole. The file replaced is kept in .history/ with `change`.
void SaveSettings(shell::AppState& state, const QString& change = QStringLiteral("Presentation changed"));

// Reads NAME.SWJ. A file shorter than 5105 bytes is an error and leaves the record in memory as
// it was (nothing half-read is used).
void LoadSettings(shell::AppState& state);

// Converts NAME.SWJ of the earlier version in place, then its topic store.
void ConvertSettings(shell::AppState& state);

// The open procedure: a missing NAME.SWJ is created with the defaults; an earlier-version file is
// converted when the user agrees (otherwise no Study List is open afterwards); then the record is
// loaded and the title, start prompt and menu-screen copy are taken from it.
void OpenSettings(shell::AppState& state);

// The conversion question for NAME.SWJ.
QString ConversionQuestion(const QString& settingsPath);

} // namespace storage
