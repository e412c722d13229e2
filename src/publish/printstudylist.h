#pragma once

class QWidget;

namespace shell {
struct AppState;
}

namespace publish {

// "Print Stud&y List" of the main window: the print dialog (a printer, or a PDF file), then the
// current Study List printed from its topic store with a progress dialog that can stop it.
// Failures of the store go on to the caller's error handling.
void PrintStudyListCommand(shell::AppState& state, QWidget* parent);

} // namespace publish
