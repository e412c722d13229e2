#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The arithmetic of the stretch handle, apart from any window so tests can check it directly.
// Rectangles are given as left, top, width and height (`Bounds`), the way the handle and the
// controls it moves are placed; a QRect's inclusive right edge would invite off-by-one slips here.
namespace design {

struct Bounds
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }  // first column outside
    int bottom() const { return top + height; } // first row outside
    QRect toRect() const { return QRect(left, top, width, height); }
    static Bounds of(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }
    bool operator==(const Bounds&) const = default;
};

// Zones of the frame: 0 the body (moves), 1 to 4 the corners (top-left, top-right, bottom-left,
// bottom-right), 5 top middle, 6 left middle, 7 bottom middle, 8 right middle.
enum StretchZone : int
{
    ZoneMove = 0,
    ZoneTopLeft = 1,
    ZoneTopRight = 2,
    ZoneBottomLeft = 3,
    ZoneBottomRight = 4,
    ZoneTop = 5,
    ZoneLeft = 6,
    ZoneBottom = 7,
    ZoneRight = 8,
};

// The smallest width and height of the frame.
constexpr int kMinFrameExtent = 5;
// Side of a square of the frame.
constexpr int kSquareSize = 5;
// A detached handle's size.
constexpr int kDetachedSize = 24;

// The zone under `point` (handle coordinates) of a handle whose client is `client`. The tests run
// in the order 1, 4, 2, 3, 5, 7, 6, 8 and the last that matches wins.
int FindZone(QSize client, QPoint point);

// v div grid times grid, rounding toward zero; a grid below 1 counts as 1.
int Snap(int value, int grid);

// The frame of one control: grown by 2 to the left and top and by 3 to the right and bottom.
Bounds FrameOf(const Bounds& control);

// The frame after one more control joins it: the union of the frame and the control's frame.
Bounds GrowFrame(const Bounds& frame, const Bounds& control);

// The frame a drag in `zone` asks for, from the pointer and the drag start (both in handle
// coordinates) and the current frame. Widths and heights below 5 become 5.
Bounds DragBounds(int zone, QPoint pointer, QPoint start, const Bounds& frame, int gridX, int gridY);

// Where a control goes when its frame changes from `oldFrame` to `newFrame`: moved by the change
// of left and top, resized by the change of width and height.
Bounds MovedControl(const Bounds& control, const Bounds& oldFrame, const Bounds& newFrame);

// The rectangle the drag outline shows for a frame: exactly where the controls would go.
Bounds OutlineOf(const Bounds& frame);

// The pointer clamped so that it stays inside the parent: frame left + x within 0 to the parent's
// width, frame top + y within 0 to its height.
QPoint ClampPointer(QPoint pointer, const Bounds& frame, QSize parent);

// The squares painted for the attached controls (each given in handle coordinates): the four
// corners of each control grown by 2, and with exactly one control the four middle squares too.
QList<QRect> HandleSquares(const QList<Bounds>& controls);

} // namespace design
