// Covers the stretch handle's arithmetic: zones, snapping, frames, drag bounds, outline, squares.
#include "design/stretchgeometry.h"

#include <QtTest>

using namespace design;

Q_DECLARE_METATYPE(design::Bounds)

class TestStretchGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findZone_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("zone");
        const QSize frame(105, 105);
        QTest::newRow("top-left corner") << frame << QPoint(0, 0) << int(ZoneTopLeft);
        QTest::newRow("top-left, 4 in") << frame << QPoint(4, 4) << int(ZoneTopLeft);
        QTest::newRow("5 in is body") << frame << QPoint(5, 5) << int(ZoneMove);
        QTest::newRow("top-right") << frame << QPoint(103, 1) << int(ZoneTopRight);
        QTest::newRow("bottom-left") << frame << QPoint(2, 104) << int(ZoneBottomLeft);
        QTest::newRow("bottom-right") << frame << QPoint(104, 104) << int(ZoneBottomRight);
        QTest::newRow("top middle") << frame << QPoint(52, 2) << int(ZoneTop);
        QTest::newRow("bottom middle") << frame << QPoint(54, 103) << int(ZoneBottom);
        QTest::newRow("left middle") << frame << QPoint(1, 50) << int(ZoneLeft);
        QTest::newRow("right middle") << frame << QPoint(104, 55) << int(ZoneRight);
        // W / 2 = 52.5: 50 is 2.5 away (inside), 49 is 3.5 away (outside).
        QTest::newRow("half of odd width, inside") << frame << QPoint(50, 0) << int(ZoneTop);
        QTest::newRow("half of odd width, outside") << frame << QPoint(49, 0) << int(ZoneMove);
        QTest::newRow("body") << frame << QPoint(30, 60) << int(ZoneMove);
        // A frame so small that several tests match: the last in the order 1,4,2,3,5,7,6,8 wins.
        QTest::newRow("tiny frame, right middle wins") << QSize(6, 6) << QPoint(3, 3) << int(ZoneRight);
        QTest::newRow("tiny frame, bottom middle over corners")
            << QSize(6, 20) << QPoint(3, 19) << int(ZoneBottom);
    }
    void findZone()
    {
        QFETCH(QSize, client);
        QFETCH(QPoint, point);
        QFETCH(int, zone);
        QCOMPARE(FindZone(client, point), zone);
    }

    void snap_truncatesTowardZero()
    {
        QCOMPARE(Snap(17, 8), 16);
        QCOMPARE(Snap(-17, 8), -16);
        QCOMPARE(Snap(17, 1), 17);
        QCOMPARE(Snap(17, 0), 17);
    }

    void frameOf_growsTwoLeftTopThreeRightBottom()
    {
        QCOMPARE(FrameOf({200, 100, 255, 200}), (Bounds{198, 98, 260, 205}));
    }

    void growFrame_takesUnion()
    {
        const Bounds frame = FrameOf({10, 10, 50, 50});
        const Bounds grown = GrowFrame(frame, {100, 5, 20, 100});
        QCOMPARE(grown, (Bounds{8, 3, 100 + 20 - 8 + 3, 5 + 100 - 3 + 3}));
        // A control inside the frame leaves it as it is.
        QCOMPARE(GrowFrame(frame, {20, 20, 10, 10}), frame);
    }

    void dragBounds_data()
    {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("grid");
        QTest::addColumn<Bounds>("expected");
        // Frame of a 100 x 100 control at 50, 50.
        QTest::newRow("move 10,10 moves 8,8")
            << int(ZoneMove) << QPoint(10, 10) << 1 << Bounds{56, 56, 105, 105};
        QTest::newRow("bottom-right +20,+20")
            << int(ZoneBottomRight) << QPoint(20, 20) << 1 << Bounds{48, 48, 122, 122};
        QTest::newRow("top-left +10,+10")
            << int(ZoneTopLeft) << QPoint(10, 10) << 1 << Bounds{56, 56, 97, 97};
        QTest::newRow("top-right") << int(ZoneTopRight) << QPoint(10, -10) << 1 << Bounds{48, 36, 112, 117};
        QTest::newRow("bottom-left") << int(ZoneBottomLeft) << QPoint(-10, 10) << 1
                                     << Bounds{36, 48, 117, 112};
        QTest::newRow("top") << int(ZoneTop) << QPoint(7, -10) << 1 << Bounds{48, 36, 105, 117};
        QTest::newRow("left") << int(ZoneLeft) << QPoint(-10, 7) << 1 << Bounds{36, 48, 117, 105};
        QTest::newRow("bottom") << int(ZoneBottom) << QPoint(7, 10) << 1 << Bounds{48, 48, 105, 112};
        QTest::newRow("right") << int(ZoneRight) << QPoint(10, 7) << 1 << Bounds{48, 48, 112, 105};
        QTest::newRow("far up-left is 5 x 5")
            << int(ZoneBottomRight) << QPoint(-500, -500) << 1 << Bounds{48, 48, 5, 5};
        QTest::newRow("grid 8 move") << int(ZoneMove) << QPoint(10, 10) << 8 << Bounds{54, 54, 105, 105};
        QTest::newRow("grid 8 resize")
            << int(ZoneBottomRight) << QPoint(10, 10) << 8 << Bounds{48, 48, 109, 109};
    }
    void dragBounds()
    {
        QFETCH(int, zone);
        QFETCH(QPoint, delta);
        QFETCH(int, grid);
        QFETCH(Bounds, expected);
        const Bounds frame = FrameOf({50, 50, 100, 100});
        const QPoint start(30, 30);
        QCOMPARE(DragBounds(zone, start + delta, start, frame, grid, grid), expected);
    }

    void movedControl_followsFrameChange()
    {
        const Bounds frame{48, 48, 105, 105};
        QCOMPARE(MovedControl({50, 50, 100, 100}, frame, {48, 48, 122, 122}), (Bounds{50, 50, 117, 117}));
        QCOMPARE(MovedControl({50, 50, 100, 100}, frame, {56, 56, 105, 105}), (Bounds{58, 58, 100, 100}));
        QCOMPARE(MovedControl({50, 50, 100, 100}, frame, {48, 48, 5, 5}), (Bounds{50, 50, 0, 0}));
    }

    void outline_isWhereTheControlGoes()
    {
        const Bounds frame = DragBounds(ZoneMove, {40, 40}, {30, 30}, FrameOf({50, 50, 100, 100}), 1, 1);
        const Bounds control = MovedControl({50, 50, 100, 100}, FrameOf({50, 50, 100, 100}), frame);
        QCOMPARE(OutlineOf(frame), control);
    }

    void clampPointer_keepsPointerInParent()
    {
        const Bounds frame{100, 50, 30, 30};
        QCOMPARE(ClampPointer({-500, -500}, frame, {640, 480}), QPoint(-100, -50));
        QCOMPARE(ClampPointer({5000, 5000}, frame, {640, 480}), QPoint(540, 430));
        QCOMPARE(ClampPointer({10, 12}, frame, {640, 480}), QPoint(10, 12));
    }

    void squares_oneControlHasEight()
    {
        const QList<QRect> squares = HandleSquares({Bounds{2, 2, 100, 100}});
        QCOMPARE(squares.size(), 8);
        // R = 0, 0, 104, 104 (right exclusive): corners and middles at half = 52.
        QVERIFY(squares.contains(QRect(0, 0, 5, 5)));
        QVERIFY(squares.contains(QRect(99, 0, 5, 5)));
        QVERIFY(squares.contains(QRect(0, 99, 5, 5)));
        QVERIFY(squares.contains(QRect(99, 99, 5, 5)));
        QVERIFY(squares.contains(QRect(50, 0, 5, 5)));
        QVERIFY(squares.contains(QRect(50, 99, 5, 5)));
        QVERIFY(squares.contains(QRect(0, 50, 5, 5)));
        QVERIFY(squares.contains(QRect(99, 50, 5, 5)));
    }

    void squares_severalControlsHaveCornersOnly()
    {
        const QList<QRect> squares = HandleSquares({Bounds{2, 2, 50, 50}, Bounds{80, 80, 20, 20}});
        QCOMPARE(squares.size(), 8);
        QVERIFY(squares.contains(QRect(78, 78, 5, 5)));
        QVERIFY(squares.contains(QRect(97, 97, 5, 5)));
    }
};

QTEST_APPLESS_MAIN(TestStretchGeometry)
#include "tst_stretchgeometry.moc"
