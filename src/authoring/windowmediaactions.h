#pragma once

#include "authoring/mediaactions.h"

class QWidget;

namespace shell {
struct AppState;
}

namespace authoring {

// The "&View" of the pickers as the reader meets it: the media show of the runtime in the Study
// List directory, the program run of program Topics and the desktop's open of a document. The
// Study List directory and the start prompt are taken from `state` when called; windows open
// over `parent`.
MediaActions WindowMediaActions(const shell::AppState& state, QWidget* parent);

} // namespace authoring
