#pragma once

class QWidget;

namespace shell {
struct AppState;
}

// The main window's "&List Presentation" and "P&rogram Presentation": the design dialogs over the
// current Study List's settings, with every nested designer and preview wired to the real windows,
// and the settings saved when the author saves. Failures throw shell::Error.
namespace design {

void ListPresentation(shell::AppState& state, QWidget* parent);
void ProgramPresentation(shell::AppState& state, QWidget* parent);

} // namespace design
