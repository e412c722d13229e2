#pragma once

#include "storage/settingsrecord.h"

#include <QStringList>

class QAction;
class QFrame;
class QLabel;
class QMenuBar;
class QTextEdit;
class QWidget;

namespace runtime {

class BackgroundView;

// The introduction screen as the reader sees it: menu bar (`MainMenu1` with `MQuit`, `MHelp`,
// `MAbout`), title bar `TitlePnl`, screen panel `ScreenPnl` with the text window `TextPnl` and its
// rich text `RichEdit1`, and status bar `StatusPnl`. The introduction display and the layout
// adjuster both build their window from it, so the author adjusts exactly what the reader will
// see. The parts belong to the window they were built into.
struct IntroScreenParts
{
    QMenuBar* MainMenu1 = nullptr;
    QAction* MQuit = nullptr;
    QAction* MHelp = nullptr;
    QAction* MAbout = nullptr;
    QLabel* TitlePnl = nullptr;
    QLabel* StatusPnl = nullptr;
    BackgroundView* ScreenPnl = nullptr;
    QFrame* TextPnl = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    // The factor the design is drawn at (see ScaleIntroScreen); the adjuster keeps 1.
    double scale = 1.0;
};

// Builds the parts into `window` and lays them out over its whole client area; `window` gets the
// 640 x 480 design size. The menu items, the menu bar, the bars and the text window start hidden;
// the items do nothing until the window connects them.
IntroScreenParts BuildIntroScreen(QWidget* window);

// Draws the screen at `scale` (1: the design size): the window's size, font and frame; the bars,
// the text window's place, its margin and its text follow when FillIntroScreen and
// PlaceIntroText run next.
void ScaleIntroScreen(IntroScreenParts& parts, QWidget* window, double scale);

// Shows what the introduction design asks for: the title and status bars, the menu items
// captioned from the list when `UseMenuBar` is set (Help with `UseHelpFile`, About with
// `UseAboutBox`; none of them without the menu bar), the background of `design` drawn on the
// screen panel (files in `directory`, missing ones reported), and the text window in
// `TextWindowColor`. The bars and the menu bar come from `presentation.IntroScreen`. The help file
// is not switched here: that is the display's business.
void FillIntroScreen(const IntroScreenParts& parts, const storage::PresentationBlock& presentation,
                     const storage::ProgramSettings& program, const storage::WindowDesign& design,
                     const QString& directory);

// Places the text window over the whole screen panel when `design` says full screen, else at its
// stored place (clamped, as a record may come from a stranger), loads `text` (rich-text lines)
// into it from the top with a vertical scroll bar, and shows it.
void PlaceIntroText(const IntroScreenParts& parts, const storage::WindowDesign& design,
                    const QStringList& text);

} // namespace runtime
