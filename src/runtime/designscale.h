#pragma once

#include <functional>

class QAction;
class QWidget;

// How the presentation windows draw their 640 x 480 design at a factor (AppState::designScale):
// each window scales its own places and sizes with ScaledRect and ScaledSize, decodes its
// pictures for the size shown, and takes its font, frame and place from here, so that every
// window of the reader grows alike and its text is drawn at size rather than stretched.
namespace runtime {

// The application font at `scale` times its size for the window and every control without a font
// of its own, its menus and sub-dialogs made so far among them, with its menu bars' items spaced to
// match; at 1 a window that was scaled goes back to the application font.
void ScaleWindowFont(QWidget* window, double scale);

// A screen that fills the height of the monitor has no room for a window frame: a window drawn
// above the design size loses its frame, and gets it back at the design size.
void FrameForScale(QWidget* window, double scale);

// Centres the window in its screen's available area; a window as high as the monitor starts at its
// top, not above it.
void CentreOnScreen(QWidget* window);

// Ctrl+0 of a presentation window, `MDesignSize`: runs `toggle`, which switches the window
// between the fit to the screen and the design size.
QAction* AddDesignSizeKey(QWidget* window, const std::function<void()>& toggle);

} // namespace runtime
