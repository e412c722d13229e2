// Covers runtime/background and runtime/backgroundview: the background decision for each kind and
// colour rule, the three messages, and what the view shows afterwards.
#include "runtime/background.h"
#include "runtime/backgroundview.h"
#include "shell/colorref.h"
#include "shell/tileimage.h"
#include "support/pictures.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using runtime::BackgroundFields;
using runtime::BackgroundLayer;
using runtime::BackgroundPlan;
using runtime::ColourRule;

Q_DECLARE_METATYPE(runtime::ColourRule)
Q_DECLARE_METATYPE(runtime::BackgroundLayer)

namespace {

constexpr quint32 kTeal = 0x808000; // 0x00BBGGRR

// A Study List directory with SKY.JPG, Brick.bmp and a directory called HOLE.BMP.
struct Fixture
{
    QTemporaryDir dir;
    Fixture()
    {
        WriteAll(dir.filePath(QStringLiteral("SKY.JPG")), SolidPicture(320, 240, QColor(40, 90, 200), "jpg"));
        WriteAll(dir.filePath(QStringLiteral("Brick.bmp")), SolidPicture(16, 8, QColor(180, 60, 30), "bmp"));
        QDir(dir.path()).mkdir(QStringLiteral("HOLE.BMP"));
    }
    QString path() const { return dir.path(); }
};

} // namespace

class TestBackground : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messages_areExact();
    void plan_data();
    void plan();
    void plan_resolvesNamesWithoutCase();
    void backgroundOf_readsAllFourFields();
    void showBackground_colour_paintsColourOnly();
    void showBackground_graphic_stretchesPicture();
    void showBackground_missingGraphic_reportsAndKeepsColour();
    void showBackground_wallpaper_tilesBitmap();
    void showBackground_jpgWallpaper_reportsAndKeepsDefaultColour();
    void showBackground_jpgWallpaperColourFirst_keepsColour();
    void showBackground_missingWallpaper_reportsAndKeepsColour();
    void showBackground_damagedPicture_keepsColourSilently();
    void showBackground_again_replacesEarlierPicture();
    void press_onBackgroundOrLayers_signalled();
};

void TestBackground::messages_areExact()
{
    QCOMPARE(runtime::GraphicNotFoundMessage(QStringLiteral("a.jpg")),
             QStringLiteral("The graphic file a.jpg was not found"));
    QCOMPARE(runtime::WallpaperNotBmpMessage(QStringLiteral("OLD.JPG")),
             QString::fromLatin1("Wallpaper must be a .BMP file.\n\r\n\rReplace OLD.JPG with a .BMP Graphic."));
    QCOMPARE(runtime::WallpaperNotFoundMessage(QStringLiteral("w.bmp")),
             QStringLiteral("The Wallpaper file w.bmp was not found"));
}

void TestBackground::plan_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("graphic");
    QTest::addColumn<QString>("tile");
    QTest::addColumn<ColourRule>("rule");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<BackgroundLayer>("layer");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("message");

    const auto first = ColourRule::ColourFirst;
    const auto byKind = ColourRule::ColourByKind;
    const auto none = BackgroundLayer::None;
    const QString graphicMissing = QStringLiteral("The graphic file GONE.JPG was not found");
    const QString notBmp = QStringLiteral("Wallpaper must be a .BMP file.\n\r\n\rReplace sky.jpg with a .BMP Graphic.");
    const QString tileMissing = QStringLiteral("The Wallpaper file GONE.BMP was not found");

    QTest::newRow("colour, by kind") << 1 << "SKY.JPG" << "Brick.bmp" << byKind << true << none << "" << "";
    QTest::newRow("colour, first") << 1 << "" << "" << first << true << none << "" << "";
    QTest::newRow("graphic") << 2 << "SKY.JPG" << "" << byKind << false << BackgroundLayer::Stretched << "SKY.JPG"
                             << "";
    QTest::newRow("graphic, colour first") << 2 << "SKY.JPG" << "" << first << true << BackgroundLayer::Stretched
                                           << "SKY.JPG" << "";
    QTest::newRow("graphic missing") << 2 << "GONE.JPG" << "" << byKind << true << none << "" << graphicMissing;
    QTest::newRow("graphic empty name") << 2 << "" << "" << byKind << true << none << ""
                                        << "The graphic file  was not found";
    QTest::newRow("graphic is a directory") << 2 << "HOLE.BMP" << "" << byKind << true << none << ""
                                            << "The graphic file HOLE.BMP was not found";
    QTest::newRow("wallpaper") << 3 << "" << "Brick.bmp" << byKind << false << BackgroundLayer::Tiled << "Brick.bmp"
                               << "";
    QTest::newRow("wallpaper jpg, by kind") << 3 << "" << "sky.jpg" << byKind << false << none << "" << notBmp;
    QTest::newRow("wallpaper jpg, colour first") << 3 << "" << "sky.jpg" << first << true << none << "" << notBmp;
    QTest::newRow("wallpaper missing") << 3 << "" << "GONE.BMP" << byKind << true << none << "" << tileMissing;
    QTest::newRow("unknown kind, by kind") << 7 << "SKY.JPG" << "Brick.bmp" << byKind << false << none << "" << "";
    QTest::newRow("unknown kind, first") << 0 << "SKY.JPG" << "Brick.bmp" << first << true << none << "" << "";
}

void TestBackground::plan()
{
    QFETCH(int, kind);
    QFETCH(QString, graphic);
    QFETCH(QString, tile);
    QFETCH(ColourRule, rule);
    QFETCH(bool, colour);
    QFETCH(BackgroundLayer, layer);
    QFETCH(QString, picture);
    QFETCH(QString, message);

    Fixture fixture;
    const BackgroundPlan plan = runtime::PlanBackground({kind, kTeal, graphic, tile}, fixture.path(), rule);
    QCOMPARE(plan.color.has_value(), colour);
    if (colour)
        QCOMPARE(*plan.color, kTeal);
    QCOMPARE(plan.layer, layer);
    QCOMPARE(QFileInfo(plan.picturePath).fileName(), picture);
    QCOMPARE(plan.message, message);
}

void TestBackground::plan_resolvesNamesWithoutCase()
{
    Fixture fixture;
    const BackgroundPlan graphic =
        runtime::PlanBackground({2, kTeal, QStringLiteral("sky.jpg"), {}}, fixture.path(), ColourRule::ColourByKind);
    QCOMPARE(graphic.layer, BackgroundLayer::Stretched);
    QCOMPARE(graphic.picturePath, fixture.dir.filePath(QStringLiteral("SKY.JPG")));
    const BackgroundPlan tile =
        runtime::PlanBackground({3, kTeal, {}, QStringLiteral("BRICK.BMP")}, fixture.path(), ColourRule::ColourByKind);
    QCOMPARE(tile.layer, BackgroundLayer::Tiled);
    QCOMPARE(tile.picturePath, fixture.dir.filePath(QStringLiteral("Brick.bmp")));
}

void TestBackground::backgroundOf_readsAllFourFields()
{
    storage::WindowDesign window;
    window.BackgroundKind = 3;
    window.BackgroundColor = kTeal;
    window.BackgroundGraphic = QStringLiteral("G.JPG");
    window.BackgroundTile = QStringLiteral("T.BMP");
    const BackgroundFields a = runtime::BackgroundOf(window);
    QCOMPARE(a.Kind, 3);
    QCOMPARE(a.Color, kTeal);
    QCOMPARE(a.Graphic, QStringLiteral("G.JPG"));
    QCOMPARE(a.Tile, QStringLiteral("T.BMP"));

    storage::ProgramSettings program;
    program.BackgroundKind = 2;
    program.BackgroundColor = shell::kBlack;
    program.BackgroundGraphic = QStringLiteral("P.BMP");
    program.BackgroundTile = QStringLiteral("Q.BMP");
    const BackgroundFields b = runtime::BackgroundOf(program);
    QCOMPARE(b.Kind, 2);
    QCOMPARE(b.Color, shell::kBlack);
    QCOMPARE(b.Graphic, QStringLiteral("P.BMP"));
    QCOMPARE(b.Tile, QStringLiteral("Q.BMP"));
}

void TestBackground::showBackground_colour_paintsColourOnly()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(640, 480);
    runtime::ShowBackground(&view, {1, kTeal, {}, {}}, fixture.path(), ColourRule::ColourByKind);
    QVERIFY(dialogs.errors.isEmpty());
    QCOMPARE(view.color(), QColor(0, 128, 128));
    QCOMPARE(view.layer(), BackgroundLayer::None);
    QCOMPARE(view.grab().toImage().pixelColor(320, 240), QColor(0, 128, 128));
}

void TestBackground::showBackground_graphic_stretchesPicture()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(640, 480);
    runtime::ShowBackground(&view, {2, kTeal, QStringLiteral("sky.JPG"), {}}, fixture.path(),
                            ColourRule::ColourByKind);
    QVERIFY(dialogs.errors.isEmpty());
    QCOMPARE(view.layer(), BackgroundLayer::Stretched);
    QVERIFY(!view.picture()->isHidden());
    QVERIFY(view.tile()->isHidden());
    QCOMPARE(view.picture()->objectName(), QStringLiteral("Image1"));
    const QImage shot = view.grab().toImage();
    for (QPoint p : {QPoint(2, 2), QPoint(637, 477), QPoint(320, 240)}) {
        const QColor c = shot.pixelColor(p);
        QVERIFY2(qAbs(c.blue() - 200) < 12 && qAbs(c.red() - 40) < 12, qPrintable(c.name()));
    }
}

void TestBackground::showBackground_missingGraphic_reportsAndKeepsColour()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(200, 100);
    runtime::ShowBackground(&view, {2, kTeal, QStringLiteral("GONE.JPG"), {}}, fixture.path(),
                            ColourRule::ColourByKind);
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The graphic file GONE.JPG was not found")});
    QCOMPARE(view.color(), QColor(0, 128, 128));
    QCOMPARE(view.layer(), BackgroundLayer::None);
    QVERIFY(view.picture()->isHidden());
}

void TestBackground::showBackground_wallpaper_tilesBitmap()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(100, 50);
    runtime::ShowBackground(&view, {3, kTeal, {}, QStringLiteral("brick.BMP")}, fixture.path(),
                            ColourRule::ColourByKind);
    QVERIFY(dialogs.errors.isEmpty());
    QCOMPARE(view.layer(), BackgroundLayer::Tiled);
    QVERIFY(!view.tile()->isHidden());
    QCOMPARE(view.tile()->objectName(), QStringLiteral("wiaTile1"));
    QCOMPARE(view.tile()->tile().size(), QSize(16, 8));
    const QImage shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(99, 49), QColor(180, 60, 30));
}

void TestBackground::showBackground_jpgWallpaper_reportsAndKeepsDefaultColour()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    const QColor defaultColour = view.color();
    view.resize(100, 50);
    runtime::ShowBackground(&view, {3, kTeal, {}, QStringLiteral("SKY.JPG")}, fixture.path(),
                            ColourRule::ColourByKind);
    QCOMPARE(dialogs.errors, QStringList{QString::fromLatin1(
                                 "Wallpaper must be a .BMP file.\n\r\n\rReplace SKY.JPG with a .BMP Graphic.")});
    QCOMPARE(view.layer(), BackgroundLayer::None);
    QCOMPARE(view.color(), defaultColour);
    QVERIFY(defaultColour != QColor(0, 128, 128));
}

void TestBackground::showBackground_jpgWallpaperColourFirst_keepsColour()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    runtime::ShowBackground(&view, {3, kTeal, {}, QStringLiteral("old.jpg")}, fixture.path(),
                            ColourRule::ColourFirst);
    QCOMPARE(dialogs.errors.size(), 1);
    QCOMPARE(view.color(), QColor(0, 128, 128));
}

void TestBackground::showBackground_missingWallpaper_reportsAndKeepsColour()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    runtime::ShowBackground(&view, {3, kTeal, {}, QStringLiteral("GONE.BMP")}, fixture.path(),
                            ColourRule::ColourByKind);
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The Wallpaper file GONE.BMP was not found")});
    QCOMPARE(view.color(), QColor(0, 128, 128));
    QCOMPARE(view.layer(), BackgroundLayer::None);
}

void TestBackground::showBackground_damagedPicture_keepsColourSilently()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    WriteAll(fixture.dir.filePath(QStringLiteral("BROKEN.JPG")), QByteArray("\xFF\xD8\xFF\x00garbage", 11));
    runtime::BackgroundView view;
    view.resize(64, 48);
    runtime::ShowBackground(&view, {2, kTeal, QStringLiteral("BROKEN.JPG"), {}}, fixture.path(),
                            ColourRule::ColourByKind);
    QVERIFY(dialogs.errors.isEmpty());
    QVERIFY(view.picture()->isHidden());
    QCOMPARE(view.color(), QColor(0, 128, 128));
}

void TestBackground::showBackground_again_replacesEarlierPicture()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(64, 48);
    runtime::ShowBackground(&view, {2, kTeal, QStringLiteral("SKY.JPG"), {}}, fixture.path(),
                            ColourRule::ColourByKind);
    QCOMPARE(view.layer(), BackgroundLayer::Stretched);
    runtime::ShowBackground(&view, {1, shell::kWhite, {}, {}}, fixture.path(), ColourRule::ColourByKind);
    QCOMPARE(view.layer(), BackgroundLayer::None);
    QVERIFY(view.picture()->isHidden());
    QCOMPARE(view.grab().toImage().pixelColor(10, 10), QColor(Qt::white));
}

void TestBackground::press_onBackgroundOrLayers_signalled()
{
    ScriptedDialogs dialogs;
    Fixture fixture;
    runtime::BackgroundView view;
    view.resize(200, 200);
    auto* panel = new QLabel(QStringLiteral("text"), &view);
    panel->setGeometry(50, 50, 100, 100);
    int presses = 0;
    QObject::connect(&view, &runtime::BackgroundView::backgroundPressed, &view, [&presses] { ++presses; });
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(presses, 1);
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(presses, 1);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(presses, 1);

    runtime::ShowBackground(&view, {2, kTeal, QStringLiteral("SKY.JPG"), {}}, fixture.path(),
                            ColourRule::ColourByKind);
    panel->raise();
    QTest::mouseClick(view.picture(), Qt::LeftButton, {}, QPoint(190, 190));
    QCOMPARE(presses, 2);
}

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
