#pragma once

#include "shell/appstate.h"

namespace shell {

// Which main-window buttons are enabled, and the Study List label, for the current state.
struct ButtonStates
{
    QString projectLabel;
    bool add = false;        // Add a Topic, List Presentation
    bool programPresentation = false;
    bool topics = false;     // Edit, View, Delete, PreView, Topic Order, Compile, Executable, Distribution
};

ButtonStates ComputeButtonStates(const AppState& state);

} // namespace shell
