#include "design/tstretchhandle.h"

#include "shell/error.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace design {

namespace {

Qt::CursorShape ZoneCursor(int zone)
{
    switch (zone) {
    case ZoneTopLeft:
    case ZoneBottomRight:
        return Qt::SizeFDiagCursor;
    case ZoneTopRight:
    case ZoneBottomLeft:
        return Qt::SizeBDiagCursor;
    case ZoneTop:
    case ZoneBottom:
        return Qt::SizeVerCursor;
    case ZoneLeft:
    case ZoneRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

TStretchHandle::TStretchHandle(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StretchHandle1"));
    // The handle lies over the controls it frames: it paints its squares only and never erases.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(kDetachedSize, kDetachedSize);
    setEnabled(false);
    hide();
}

QList<QWidget*> TStretchHandle::attached() const
{
    QList<QWidget*> controls;
    for (const QPointer<QWidget>& control : m_controls) {
        if (control)
            controls.append(control);
    }
    return controls;
}

QRect TStretchHandle::outline() const
{
    return m_outline && m_outline->isVisible() ? m_outline->geometry() : QRect();
}

void TStretchHandle::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void TStretchHandle::setSecondaryColor(const QColor& color)
{
    m_secondaryColor = color;
    update();
}

void TStretchHandle::setSnapToGrid(bool on)
{
    m_gridX = on ? 8 : 1;
    m_gridY = on ? 8 : 1;
}

void TStretchHandle::Attach(QWidget* control)
{
    if (!control)
        return;
    if (control->isWindow())
        throw shell::Error(QStringLiteral("Handles can not be attached to a Form!"));
    if (attached().contains(control))
        return;
    if (!attached().isEmpty() && control->parentWidget() != parentWidget())
        Detach();

    const Bounds place = Bounds::of(control->geometry());
    if (attached().isEmpty()) {
        m_controls.clear();
        if (parentWidget() != control->parentWidget())
            setParent(control->parentWidget());
        eraseOutline();
        setEnabled(true);
        show();
        setGeometry(FrameOf(place).toRect());
    } else {
        setGeometry(GrowFrame(bounds(), place).toRect());
    }
    m_controls.append(control);
    m_activeZone = ZoneMove;

    raise();
    // Taking the mouse lets a control attached from a button press be dragged at once.
    grabMouse();
    if (isVisible() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    update();
}

void TStretchHandle::Detach()
{
    m_controls.clear();
    m_locked = false;
    m_dragging = false;
    eraseOutline();
    releaseCapture();
    resize(kDetachedSize, kDetachedSize);
    setEnabled(false);
    hide();
    setParent(nullptr);
}

void TStretchHandle::SetBounds(int left, int top, int width, int height)
{
    if (m_locked)
        return;
    const Bounds oldFrame = bounds();
    Bounds newFrame{left, top, width, height};
    const QList<QWidget*> controls = attached();
    for (QWidget* control : controls) {
        Bounds place = MovedControl(Bounds::of(control->geometry()), oldFrame, newFrame);
        // Several controls of different sizes share one frame: the smaller ones stop at nothing.
        place.width = std::max(place.width, 0);
        place.height = std::max(place.height, 0);
        control->setGeometry(place.toRect());
        // A control that keeps a minimum of its own (the menu list window) refuses the size; the
        // frame then follows the control rather than the drag.
        const Bounds taken = Bounds::of(control->geometry());
        if (controls.size() == 1 && taken != place)
            newFrame = FrameOf(taken);
    }
    setGeometry(newFrame.toRect());
    update();
}

void TStretchHandle::paintEvent(QPaintEvent*)
{
    const QList<QWidget*> controls = attached();
    QList<Bounds> places;
    for (QWidget* control : controls) {
        Bounds place = Bounds::of(control->geometry());
        place.left -= x();
        place.top -= y();
        places.append(place);
    }
    QPainter painter(this);
    const QColor brush = controls.size() == 1 ? m_color : m_secondaryColor;
    for (const QRect& square : HandleSquares(places))
        painter.fillRect(square, brush);
}

bool TStretchHandle::insideAttached(QPoint parentPos) const
{
    for (QWidget* control : attached()) {
        if (control->geometry().adjusted(-2, -2, 2, 2).contains(parentPos))
            return true;
    }
    return false;
}

void TStretchHandle::forward(QMouseEvent* event)
{
    QWidget* parent = parentWidget();
    const QPoint parentPos = mapToParent(event->position().toPoint());
    if (!parent || insideAttached(parentPos))
        return;
    QWidget* target = parent;
    QPoint targetPos = parentPos;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || !widget->isVisible() || qobject_cast<TStretchHandle*>(widget))
            continue;
        if (widget->geometry().contains(parentPos)) {
            target = widget;
            targetPos = parentPos - widget->pos();
            break;
        }
    }
    QMouseEvent copy(event->type(), QPointF(targetPos), event->globalPosition(), event->button(),
                     event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(target, &copy);
}

void TStretchHandle::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (insideAttached(mapToParent(pos))) {
        if (event->button() == Qt::LeftButton && !m_locked) {
            m_dragStart = pos;
            m_dragging = true;
        }
        event->accept();
        Q_EMIT mousePressed(event->button(), event->modifiers(), pos);
        return;
    }
    unsetCursor();
    forward(event);
}

void TStretchHandle::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool leftHeld = event->buttons().testFlag(Qt::LeftButton);
    if (leftHeld && !m_dragging && !m_locked) {
        m_dragStart = pos;
        m_dragging = true;
    } else {
        if (!leftHeld)
            releaseCapture();
        int zone = ZoneMove;
        if (attached().size() == 1)
            zone = FindZone(size(), pos);
        setZoneCursor(zone);
        if (m_locked)
            setCursor(Qt::ForbiddenCursor);
        if (m_dragging) {
            const QSize parentSize = parentWidget() ? parentWidget()->size() : QSize();
            const QPoint clamped = ClampPointer(pos, bounds(), parentSize);
            if (m_activeZone == ZoneMove)
                setCursor(m_dragCursor);
            showOutline(DragBounds(m_activeZone, clamped, m_dragStart, bounds(), m_gridX, m_gridY));
        } else {
            m_activeZone = zone;
        }
    }
    Q_EMIT mouseMoved(event->modifiers(), pos);
}

void TStretchHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        forward(event);
        return;
    }
    const QSize parentSize = parentWidget() ? parentWidget()->size() : QSize();
    const QPoint pos = ClampPointer(event->position().toPoint(), bounds(), parentSize);
    if (pos != m_dragStart) {
        const Bounds target = DragBounds(m_activeZone, pos, m_dragStart, bounds(), m_gridX, m_gridY);
        SetBounds(target.left, target.top, target.width, target.height);
    }
    eraseOutline();
    if (parentWidget())
        parentWidget()->update();
    update();
    if (isVisible() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    m_dragging = false;
    unsetCursor();
    releaseCapture();
    Q_EMIT mouseReleased(event->button(), event->modifiers(), event->position().toPoint());
    Q_EMIT clicked();
}

void TStretchHandle::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    Q_EMIT doubleClicked();
}

void TStretchHandle::keyPressEvent(QKeyEvent* event)
{
    // One pixel per press, without grid or clamping, so a part can be nudged off the screen edge.
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    default:
        Q_EMIT keyPressed(event->key(), event->modifiers());
        QWidget::keyPressEvent(event);
        return;
    }
    const Bounds frame = bounds();
    SetBounds(frame.left + step.x(), frame.top + step.y(), frame.width, frame.height);
    event->accept();
    Q_EMIT keyPressed(event->key(), event->modifiers());
}

void TStretchHandle::showOutline(const Bounds& frame)
{
    if (!parentWidget())
        return;
    if (!m_outline)
        m_outline = new QRubberBand(QRubberBand::Rectangle, parentWidget());
    m_outline->setGeometry(OutlineOf(frame).toRect());
    m_outline->show();
    m_outline->raise();
    m_lastOutline = frame;
}

void TStretchHandle::eraseOutline()
{
    delete m_outline;
    m_lastOutline = {};
}

void TStretchHandle::setZoneCursor(int zone)
{
    if (zone == ZoneMove)
        unsetCursor();
    else
        setCursor(ZoneCursor(zone));
}

void TStretchHandle::releaseCapture()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

} // namespace design
