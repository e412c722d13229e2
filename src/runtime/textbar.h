#pragma once

#include "storage/settingsrecord.h"

#include <QList>

class QAction;
class QLabel;
class QMenuBar;
class QWidget;

namespace runtime {

// Shows or hides a title or status bar of a designed screen as its record says: the text centred,
// in the font of its font text (colour included), on the bar's colour, twice as high as the
// font's point size. A bar that is not used is hidden and keeps whatever it showed.
// At a `scale` other than 1 the font and the height grow with the design.
void ShowTextBar(QLabel* bar, const storage::TextBar& design, double scale = 1.0);

// The bars a designed screen starts with, all hidden until its record says otherwise: the menu
// bar "MainMenu1" holding `actions`, the title bar "TitlePnl" and the status bar "StatusPnl".
struct ScreenBars
{
    QMenuBar* menu = nullptr;
    QLabel* title = nullptr;
    QLabel* status = nullptr;
};

ScreenBars MakeScreenBars(QWidget* parent, const QList<QAction*>& actions);

} // namespace runtime
