#pragma once

#include "storage/settingsrecord.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the layout adjusters put the window parts they show, and what they store back. Positions
// and sizes come from records that may come from a stranger, so they are clamped before a window
// takes them (see runtime/pagegeometry.h).
namespace design {

// The menu's list window is never narrower than its command panel (216) plus 4 pixels.
constexpr int kCommandPanelWidth = 216;
constexpr int kMinListWindowWidth = kCommandPanelWidth + 4;
// The text page mock-up's "&Close" button, and the narrowest the mock-up gets.
constexpr int kCloseButtonWidth = 75;
constexpr int kMinTextMockupWidth = kCloseButtonWidth + 4;
// The text page mock-up is this much higher than the stored text window.
constexpr int kMockupExtraHeight = 16;

// A stored rectangle made safe to give a window: positions within +-8192, sizes within 0..8192.
QRect SafeRect(qint32 left, qint32 top, qint32 width, qint32 height);

// A panel's child centred in it: panel width div 2 - child width div 2.
int CentredLeft(int panelWidth, int childWidth);

// A title or status bar is twice as high as its font's size in points (at most a screen high).
int BarHeight(const QString& fontText);

// Menu layout adjuster, on Save: the list window's place (inside the screen area) and, when the
// author box is used, the author box's place.
void StoreMenuLayout(storage::MenuScreenDesign& menu, const QRect& listWindow, const QRect& authorBox);

// Text page window adjuster: the mock-up goes to the design origin plus the stored left and top,
// as wide as the text window and 16 pixels higher. Storing is the exact inverse, so opening and
// saving without a move leaves the record as it was.
QRect TextMockupRect(QPoint designOrigin, const storage::TopicDisplayRecord& record);
void StoreTextMockup(storage::TopicDisplayRecord& record, QPoint designOrigin, const QRect& mockup);

// The text page adjuster stands for the area of the main window the design origin was computed
// from, so the mock-up shows where the page window will open: 640 x 480 grown by twice the origin,
// but never larger than the screen (nor smaller than 640 x 480).
QSize TextAdjusterSize(QPoint designOrigin, QSize screen);

// Designed page window adjuster, on Save: the text window's place inside the screen; full screen off.
void StoreDesignedPageLayout(storage::TopicDisplayRecord& record, const QRect& textWindow);

} // namespace design
