// Covers TStretchHandle on real widgets: attach and detach, moving and resizing by drag, the drag
// outline, several controls, the arrow keys, locking, and presses passed on to other controls.
#include "design/tstretchhandle.h"
#include "shell/error.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QtTest>

using design::TStretchHandle;

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Press(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Send(w, QEvent::MouseButtonPress, pos, button, button);
}

void Move(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton)
{
    Send(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void Release(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Send(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// Drags on the handle from `from` by `delta` (handle coordinates at the start).
void Drag(TStretchHandle* handle, QPoint from, QPoint delta)
{
    Press(handle, from);
    Move(handle, from + delta / 2);
    Move(handle, from + delta);
    Release(handle, from + delta);
}

// Counts presses that reach it.
class PressCounter : public QFrame
{
public:
    using QFrame::QFrame;
    int presses = 0;
    QPoint last;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        last = event->position().toPoint();
    }
};

} // namespace

class TestTStretchHandle : public QObject
{
    Q_OBJECT

private:
    QWidget* m_parent = nullptr;
    QFrame* m_box = nullptr;
    QFrame* m_other = nullptr;
    QPointer<TStretchHandle> m_handle;

private Q_SLOTS:
    void init()
    {
        m_parent = new QWidget;
        m_parent->resize(640, 480);
        m_box = new QFrame(m_parent);
        m_box->setGeometry(50, 50, 100, 100);
        m_other = new QFrame(m_parent);
        m_other->setGeometry(300, 200, 40, 30);
        m_handle = new TStretchHandle(m_parent);
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent));
    }

    void cleanup()
    {
        if (m_handle && !m_handle->parent())
            delete m_handle;
        delete m_parent;
    }

    void newHandle_isSmallHiddenAndDisabled()
    {
        QCOMPARE(m_handle->size(), QSize(24, 24));
        QVERIFY(!m_handle->isVisible());
        QVERIFY(!m_handle->isEnabled());
        QCOMPARE(m_handle->Color(), QColor(Qt::black));
        QCOMPARE(m_handle->SecondaryColor(), QColor(0x80, 0x80, 0x80));
        QCOMPARE(m_handle->GridX(), 1);
        QVERIFY(!m_handle->SnapToGrid());
        QVERIFY(!m_handle->Locked());
    }

    void snapToGrid_setsBothSteps()
    {
        m_handle->setSnapToGrid(true);
        QCOMPARE(m_handle->GridX(), 8);
        QCOMPARE(m_handle->GridY(), 8);
        QVERIFY(m_handle->SnapToGrid());
        m_handle->setSnapToGrid(false);
        QCOMPARE(m_handle->GridX(), 1);
        m_handle->setGridY(4);
        QVERIFY(m_handle->SnapToGrid());
    }

    void attach_framesControl()
    {
        m_handle->Attach(m_box);
        QCOMPARE(m_handle->geometry(), QRect(48, 48, 105, 105));
        QVERIFY(m_handle->isVisible());
        QVERIFY(m_handle->isEnabled());
        QCOMPARE(m_handle->parentWidget(), m_parent);
        QCOMPARE(m_handle->attached(), QList<QWidget*>{m_box});
        QCOMPARE(m_box->geometry(), QRect(50, 50, 100, 100));
    }

    void attach_sameControlTwice_changesNothing()
    {
        m_handle->Attach(m_box);
        m_handle->Attach(m_box);
        QCOMPARE(m_handle->attached().size(), 1);
        QCOMPARE(m_handle->geometry(), QRect(48, 48, 105, 105));
    }

    void attach_form_raisesErrorAndAttachesNothing()
    {
        QWidget form;
        try {
            m_handle->Attach(&form);
            QFAIL("no error");
        } catch (const shell::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("Handles can not be attached to a Form!"));
        }
        QVERIFY(m_handle->attached().isEmpty());
    }

    void attach_otherParent_startsNewFrame()
    {
        auto* panel = new QFrame(m_parent);
        panel->setGeometry(400, 10, 200, 200);
        auto* inner = new QFrame(panel);
        inner->setGeometry(10, 10, 30, 30);
        m_handle->Attach(m_box);
        m_handle->Attach(inner);
        QCOMPARE(m_handle->attached(), QList<QWidget*>{inner});
        QCOMPARE(m_handle->parentWidget(), panel);
        QCOMPARE(m_handle->geometry(), QRect(8, 8, 35, 35));
    }

    void detach_leavesHandleSmallHiddenParentless()
    {
        m_handle->Attach(m_box);
        m_handle->setLocked(true);
        m_handle->Detach();
        QVERIFY(m_handle->attached().isEmpty());
        QCOMPARE(m_handle->size(), QSize(24, 24));
        QVERIFY(!m_handle->isVisible());
        QVERIFY(!m_handle->isEnabled());
        QVERIFY(!m_handle->parent());
        QVERIFY(!m_handle->Locked());
    }

    void setBounds_movesAndResizesControls()
    {
        m_handle->Attach(m_box);
        m_handle->SetBounds(58, 38, 125, 95);
        QCOMPARE(m_box->geometry(), QRect(60, 40, 120, 90));
        QCOMPARE(m_handle->geometry(), QRect(58, 38, 125, 95));
    }

    void setBounds_locked_movesNothing()
    {
        m_handle->Attach(m_box);
        m_handle->setLocked(true);
        m_handle->SetBounds(0, 0, 50, 50);
        QCOMPARE(m_box->geometry(), QRect(50, 50, 100, 100));
        QCOMPARE(m_handle->geometry(), QRect(48, 48, 105, 105));
    }

    void dragMove_10by10_movesBy8()
    {
        m_handle->Attach(m_box);
        Drag(m_handle, QPoint(40, 40), QPoint(10, 10));
        QCOMPARE(m_box->geometry(), QRect(58, 58, 100, 100));
        QCOMPARE(m_handle->geometry(), QRect(56, 56, 105, 105));
        QVERIFY(!m_handle->isDragging());
    }

    void drag_showsOutlineOnlyWhileDragging()
    {
        m_handle->Attach(m_box);
        Press(m_handle, QPoint(40, 40));
        Move(m_handle, QPoint(45, 45));
        Move(m_handle, QPoint(60, 70));
        QVERIFY(m_handle->isDragging());
        // The controls stay put during the drag; the outline shows where they will go.
        QCOMPARE(m_box->geometry(), QRect(50, 50, 100, 100));
        // Pointer moved by (20, 30) from the press: the frame moves by (18, 28).
        QCOMPARE(m_handle->outline(), QRect(68, 78, 100, 100));
        Release(m_handle, QPoint(60, 70));
        QCOMPARE(m_box->geometry(), QRect(68, 78, 100, 100));
        QVERIFY(m_handle->outline().isNull());
    }

    void dragBottomRight_100box_becomes117()
    {
        m_handle->Attach(m_box);
        const QPoint corner(103, 103);
        Move(m_handle, corner, Qt::NoButton);
        QCOMPARE(m_handle->activeZone(), int(design::ZoneBottomRight));
        Drag(m_handle, corner, QPoint(20, 20));
        QCOMPARE(m_handle->size(), QSize(122, 122));
        QCOMPARE(m_box->geometry(), QRect(50, 50, 117, 117));
    }

    void dragBottomRight_farUpLeft_leavesFrame5AndControl0()
    {
        m_handle->Attach(m_box);
        const QPoint corner(103, 103);
        Move(m_handle, corner, Qt::NoButton);
        Drag(m_handle, corner, QPoint(-400, -400));
        QCOMPARE(m_handle->size(), QSize(5, 5));
        QCOMPARE(m_box->size(), QSize(0, 0));
    }

    void drag_pointerIsClampedToParent()
    {
        m_handle->Attach(m_box);
        Drag(m_handle, QPoint(40, 40), QPoint(-1000, -1000));
        // The pointer stops at the parent's left and top edge: handle left + x = 0.
        QCOMPARE(m_handle->geometry().topLeft(), QPoint(-42, -42));
    }

    void drag_locked_doesNotMove()
    {
        m_handle->Attach(m_box);
        m_handle->setLocked(true);
        Drag(m_handle, QPoint(40, 40), QPoint(30, 30));
        QCOMPARE(m_box->geometry(), QRect(50, 50, 100, 100));
    }

    void twoControls_greyNoZonesAndMoveTogether()
    {
        m_handle->Attach(m_box);
        m_handle->Attach(m_other);
        QCOMPARE(m_handle->attached().size(), 2);
        QCOMPARE(m_handle->geometry(), QRect(48, 48, 340 - 48 + 3, 230 - 48 + 3));
        // With two controls there are no resize zones: the corner of the first control moves.
        Move(m_handle, QPoint(103, 103), Qt::NoButton);
        QCOMPARE(m_handle->activeZone(), int(design::ZoneMove));
        Drag(m_handle, QPoint(103, 103), QPoint(12, 22));
        QCOMPARE(m_box->geometry(), QRect(60, 70, 100, 100));
        QCOMPARE(m_other->geometry(), QRect(310, 220, 40, 30));
    }

    void twoControls_paintGreySquares()
    {
        m_handle->Attach(m_box);
        m_handle->Attach(m_other);
        const QImage image = m_handle->grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(0x80, 0x80, 0x80));
        // No middle square between the corners.
        QVERIFY(image.pixelColor(52, 1) != QColor(0x80, 0x80, 0x80));
    }

    void oneControl_paintsBlackMiddleSquares()
    {
        m_handle->Attach(m_box);
        const QImage image = m_handle->grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
        QCOMPARE(image.pixelColor(52, 1), QColor(Qt::black));
        QCOMPARE(image.pixelColor(101, 52), QColor(Qt::black));
    }

    void arrowKeys_moveOnePixelPerPress_evenBeyondEdge()
    {
        m_box->setGeometry(0, 0, 100, 100);
        m_handle->Attach(m_box);
        QTest::keyClick(m_handle, Qt::Key_Left);
        QCOMPARE(m_box->geometry(), QRect(-1, 0, 100, 100));
        QTest::keyClick(m_handle, Qt::Key_Up);
        QCOMPARE(m_box->geometry(), QRect(-1, -1, 100, 100));
        QTest::keyClick(m_handle, Qt::Key_Right);
        QTest::keyClick(m_handle, Qt::Key_Right);
        QTest::keyClick(m_handle, Qt::Key_Down);
        QCOMPARE(m_box->geometry(), QRect(1, 0, 100, 100));
    }

    void arrowKeys_gridDoesNotApply()
    {
        m_handle->setSnapToGrid(true);
        m_handle->Attach(m_box);
        QTest::keyClick(m_handle, Qt::Key_Right);
        QCOMPARE(m_box->geometry(), QRect(51, 50, 100, 100));
    }

    void arrowKeys_locked_doNotMove()
    {
        m_handle->Attach(m_box);
        m_handle->setLocked(true);
        QTest::keyClick(m_handle, Qt::Key_Right);
        QCOMPARE(m_box->geometry(), QRect(50, 50, 100, 100));
    }

    void pressOutsideControls_goesToControlUnderPointer()
    {
        auto* below = new PressCounter(m_parent);
        below->setGeometry(200, 60, 40, 40);
        below->show();
        m_handle->Attach(m_box);
        m_handle->Attach(m_other);
        // 210, 70 in the parent lies inside the frame but outside both attached controls.
        Press(m_handle, QPoint(210, 70) - m_handle->pos());
        QCOMPARE(below->presses, 1);
        QCOMPARE(below->last, QPoint(10, 10));
        QVERIFY(!m_handle->isDragging());
    }

    void pressInsideControl_isNotPassedOn()
    {
        auto* below = new PressCounter(m_parent);
        below->setGeometry(60, 60, 20, 20);
        below->show();
        below->lower();
        m_handle->Attach(m_box);
        Press(m_handle, QPoint(20, 20));
        QCOMPARE(below->presses, 0);
        QVERIFY(m_handle->isDragging());
        Release(m_handle, QPoint(20, 20));
    }

    void pressSignal_raisedAfterOwnHandling()
    {
        m_handle->Attach(m_box);
        QSignalSpy pressed(m_handle.data(), &TStretchHandle::mousePressed);
        Press(m_handle, QPoint(20, 20), Qt::RightButton);
        QCOMPARE(pressed.size(), 1);
        QVERIFY(!m_handle->isDragging()); // only the left button drags
    }
};

QTEST_MAIN(TestTStretchHandle)
#include "tst_tstretchhandle.moc"
