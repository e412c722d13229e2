#pragma once

#include "design/stretchgeometry.h"

#include <QColor>
#include <QCursor>
#include <QList>
#include <QPointer>
#include <QWidget>

class QRubberBand;

namespace design {

// The eight-square frame the layout adjusters put around a window part so the author can move it
// by dragging inside the frame, resize it by dragging a square, and nudge it with the arrow keys.
// It lies over the attached controls in their parent and takes the mouse while attached; the
// controls move or resize only when the left button is released, and during the drag only an
// outline shows where they will go. Presses outside every attached control go on to the control
// (or the parent) under the pointer, as if the frame were not there.
class TStretchHandle : public QWidget
{
    Q_OBJECT
public:
    explicit TStretchHandle(QWidget* parent = nullptr);

    // Adds a control to the frame. A window (a form) cannot be attached: shell::Error
    // "Handles can not be attached to a Form!". A control with another parent than those attached
    // starts a new frame.
    void Attach(QWidget* control);
    // Removes every control; the handle becomes 24 x 24, disabled, hidden and parentless.
    void Detach();
    // Moves the frame and moves and resizes every attached control by the same change; a locked
    // handle stays where it is.
    void SetBounds(int left, int top, int width, int height);

    QList<QWidget*> attached() const;
    bool isDragging() const { return m_dragging; }
    int activeZone() const { return m_activeZone; }
    Bounds bounds() const { return Bounds::of(geometry()); }
    // The outline shown during a drag, in parent coordinates; null when none is shown.
    QRect outline() const;

    QColor Color() const { return m_color; }
    void setColor(const QColor& color);
    QColor SecondaryColor() const { return m_secondaryColor; }
    void setSecondaryColor(const QColor& color);
    bool Locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }
    int GridX() const { return m_gridX; }
    void setGridX(int step) { m_gridX = std::max(1, step); }
    int GridY() const { return m_gridY; }
    void setGridY(int step) { m_gridY = std::max(1, step); }
    bool SnapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void setSnapToGrid(bool on);
    QCursor DragCursor() const { return m_dragCursor; }
    void setDragCursor(const QCursor& cursor) { m_dragCursor = cursor; }

Q_SIGNALS:
    // Raised after the handle's own handling; positions are in handle coordinates.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMoved(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void clicked();
    void doubleClicked();
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool insideAttached(QPoint parentPos) const;
    void forward(QMouseEvent* event);
    void showOutline(const Bounds& frame);
    void eraseOutline();
    void setZoneCursor(int zone);
    void releaseCapture();

    QList<QPointer<QWidget>> m_controls;
    bool m_dragging = false;
    QPoint m_dragStart;
    int m_activeZone = ZoneMove;
    Bounds m_lastOutline; // all zero: none drawn
    QPointer<QRubberBand> m_outline;

    QColor m_color = Qt::black;
    QColor m_secondaryColor = QColor(0x80, 0x80, 0x80);
    bool m_locked = false;
    int m_gridX = 1;
    int m_gridY = 1;
    QCursor m_dragCursor = QCursor(Qt::DragMoveCursor);
};

} // namespace design
