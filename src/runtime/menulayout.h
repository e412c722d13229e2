#pragma once

#include "storage/settingsrecord.h"

#include <QRect>
#include <QString>

// Where the parts of the Topic menu screen, the menu test window and the introduction display go.
// Every rectangle comes from a settings record that may come from a stranger, so positions and
// sizes are clamped to kMaxPageExtent (see pagegeometry.h) before a window is asked to take them.
namespace runtime {

// The author box shows its lines up to the last one that holds text; empty lines before it stay
// as blank rows. 0 when all six lines are empty.
int AuthorLineCount(const storage::AuthorBox& box);

// Height of a row of the author box.
constexpr int kAuthorRowHeight = 16;

// The author panel inside the menu screen: Top, Left, Width and Height of the record.
QRect AuthorPanelRect(const storage::AuthorBox& box);

// The menu panel (`Panel1`) inside the menu screen: TextLeft, TextTop, TextWidth, TextHeight of
// the menu screen's window design. The full-screen flag is not consulted by the menu screen.
QRect MenuPanelRect(const storage::WindowDesign& window);

// The command panel is centred in the menu panel: panel width div 2 - command width div 2.
int CommandPanelLeft(int panelWidth, int commandWidth);

// A title or status bar is twice as high as the point size of its font (font text, as stored).
// A size that is no number or not above zero gives the size of a default font; the height is
// capped at the height of a design screen.
int TextBarHeight(const QString& fontText);

// The height of a list that shows whole rows only: the frame plus as many whole rows as fit in
// `available` (at least one row when the rows have a height).
int WholeRowsHeight(int available, int rowHeight, int frame);

// A caption from the record, or the default when the record holds none (an empty menu item could
// not be seen, let alone chosen).
QString CaptionOr(const QString& caption, const QString& fallback);

} // namespace runtime
