#pragma once

#include "storage/settingsrecord.h"

class QLabel;

namespace runtime {

// Shows or hides a title or status bar of a designed screen as its record says: the text centred,
// in the font of its font text (colour included), on the bar's colour, twice as high as the
// font's point size. A bar that is not used is hidden and keeps whatever it showed.
void ShowTextBar(QLabel* bar, const storage::TextBar& design);

} // namespace runtime
