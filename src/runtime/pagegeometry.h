#pragma once

#include "storage/settingsrecord.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the page windows go. Designed screens are 640 x 480 pixels; stored positions are pixels in
// that space. Positions and sizes from a record are clamped to kMaxPageExtent, so a damaged record
// cannot ask for a window of two billion pixels.
namespace runtime {

constexpr QSize kDesignSize(640, 480);
constexpr int kMaxPageExtent = 8192;

// A rectangle of stored left, top, width and height: the position clamped to +-kMaxPageExtent, the
// size to 0..kMaxPageExtent.
QRect ClampedRect(qint32 left, qint32 top, qint32 width, qint32 height);

// A design's stored text window (TextLeft, TextTop, TextWidth, TextHeight), clamped.
QRect StoredTextRect(const storage::WindowDesign& window);

// The offset of a 640 x 480 area centred in a main window of that size, each half rounded toward
// zero (negative when the window is smaller than the area).
QPoint DesignOrigin(QSize mainWindow);

// The text page window (`TShowHTextForm`): at the design origin plus the text window's left and
// top, three pixels wider than the text window and as high. At a `scale` other than 1 the design
// area keeps its centre and the window its place and size in it.
QRect TextPageGeometry(QPoint designOrigin, const storage::TopicDisplayRecord& record, double scale = 1.0);

// The reader's fit to the screen: the largest factor at which the whole 640 x 480 design shows on
// a screen of that size with its proportions kept; 1 on screens no larger than the design.
double FitScale(QSize screen);
QSize ScaledSize(QSize size, double scale);
// Each edge scaled and rounded, so rectangles that meet in the design still meet.
QRect ScaledRect(const QRect& rect, double scale);
int Scaled(int length, double scale);

// The text window of the designed page display inside its screen panel: the whole panel when the
// record says full screen, else the stored rectangle (no design origin: the panel is the design area).
QRect DesignedTextRect(const storage::TopicDisplayRecord& record, QSize screen);

} // namespace runtime
