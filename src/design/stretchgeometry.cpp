#include "design/stretchgeometry.h"

#include <algorithm>
#include <cmath>

namespace design {

namespace {

bool Near(double a, double b, double distance)
{
    return std::abs(a - b) < distance;
}

} // namespace

int FindZone(QSize client, QPoint point)
{
    const double x = point.x();
    const double y = point.y();
    const double w = client.width();
    const double h = client.height();
    int zone = ZoneMove;
    if (Near(x, 0, 5) && Near(y, 0, 5))
        zone = ZoneTopLeft;
    if (Near(x, w, 5) && Near(y, h, 5))
        zone = ZoneBottomRight;
    if (Near(x, w, 5) && Near(y, 0, 5))
        zone = ZoneTopRight;
    if (Near(x, 0, 5) && Near(y, h, 5))
        zone = ZoneBottomLeft;
    // The middle tests are made in real arithmetic: half of an odd width ends in .5.
    if (Near(x, w / 2, 3.0) && Near(y, 0, 5))
        zone = ZoneTop;
    if (Near(x, w / 2, 3.0) && Near(y, h, 5))
        zone = ZoneBottom;
    if (Near(y, h / 2, 3.0) && Near(x, 0, 5))
        zone = ZoneLeft;
    if (Near(y, h / 2, 3.0) && Near(x, w, 5))
        zone = ZoneRight;
    return zone;
}

int Snap(int value, int grid)
{
    if (grid < 1)
        grid = 1;
    return (value / grid) * grid; // C++ division truncates toward zero
}

Bounds FrameOf(const Bounds& control)
{
    return {control.left - 2, control.top - 2, control.width + 5, control.height + 5};
}

Bounds GrowFrame(const Bounds& frame, const Bounds& control)
{
    const int left = std::min(frame.left, control.left - 2);
    const int top = std::min(frame.top, control.top - 2);
    const int right = std::max(frame.left + frame.width - 3, control.left + control.width);
    const int bottom = std::max(frame.top + frame.height - 3, control.top + control.height);
    return {left, top, right - left + 3, bottom - top + 3};
}

Bounds DragBounds(int zone, QPoint pointer, QPoint start, const Bounds& frame, int gridX, int gridY)
{
    const int dx = pointer.x() - start.x();
    const int dy = pointer.y() - start.y();
    const int L = frame.left;
    const int T = frame.top;
    const int W = frame.width;
    const int H = frame.height;
    const int l = Snap(dx + L, gridX) - 2;
    const int t = Snap(dy + T, gridY) - 2;
    const int w = Snap(dx + W, gridX) - 3;
    const int h = Snap(dy + H, gridY) - 3;

    Bounds result = frame;
    switch (zone) {
    case ZoneMove:
        result = {l, t, W, H};
        break;
    case ZoneTopLeft:
        result = {l, t, W + L - l, H + T - t};
        break;
    case ZoneTopRight:
        result = {L, t, w, H + T - t};
        break;
    case ZoneBottomLeft:
        result = {l, T, W + L - l, h};
        break;
    case ZoneBottomRight:
        result = {L, T, w, h};
        break;
    case ZoneTop:
        result = {L, t, W, H + T - t};
        break;
    case ZoneLeft:
        result = {l, T, W + L - l, H};
        break;
    case ZoneBottom:
        result = {L, T, W, h};
        break;
    case ZoneRight:
        result = {L, T, w, H};
        break;
    default:
        break;
    }
    result.width = std::max(result.width, kMinFrameExtent);
    result.height = std::max(result.height, kMinFrameExtent);
    return result;
}

Bounds MovedControl(const Bounds& control, const Bounds& oldFrame, const Bounds& newFrame)
{
    return {control.left + newFrame.left - oldFrame.left, control.top + newFrame.top - oldFrame.top,
            control.width + newFrame.width - oldFrame.width,
            control.height + newFrame.height - oldFrame.height};
}

Bounds OutlineOf(const Bounds& frame)
{
    return {frame.left + 2, frame.top + 2, frame.width - 5, frame.height - 5};
}

QPoint ClampPointer(QPoint pointer, const Bounds& frame, QSize parent)
{
    const int x = std::clamp(pointer.x(), -frame.left, std::max(-frame.left, parent.width() - frame.left));
    const int y = std::clamp(pointer.y(), -frame.top, std::max(-frame.top, parent.height() - frame.top));
    return {x, y};
}

QList<QRect> HandleSquares(const QList<Bounds>& controls)
{
    QList<QRect> squares;
    const bool one = controls.size() == 1;
    for (const Bounds& control : controls) {
        // R: the control grown by 2 on every side, right and bottom exclusive.
        const int left = control.left - 2;
        const int top = control.top - 2;
        const int right = control.right() + 2;
        const int bottom = control.bottom() + 2;
        squares.append(QRect(left, top, kSquareSize, kSquareSize));
        squares.append(QRect(right - kSquareSize, top, kSquareSize, kSquareSize));
        squares.append(QRect(left, bottom - kSquareSize, kSquareSize, kSquareSize));
        squares.append(QRect(right - kSquareSize, bottom - kSquareSize, kSquareSize, kSquareSize));
        if (one) {
            const int half = (right - left) / 2;
            const int halfH = (bottom - top) / 2;
            squares.append(QRect(left + half - 2, top, kSquareSize, kSquareSize));
            squares.append(QRect(left + half - 2, bottom - kSquareSize, kSquareSize, kSquareSize));
            squares.append(QRect(left, top + halfH - 2, kSquareSize, kSquareSize));
            squares.append(QRect(right - kSquareSize, top + halfH - 2, kSquareSize, kSquareSize));
        }
    }
    return squares;
}

} // namespace design
