// Covers the page windows (runtime/tshowhtextform, runtime/ttxtvpdispform), their placement rules
// (runtime/pagegeometry) and the preview backdrop (runtime/ttutbackform).
#include "runtime/backgroundview.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagetext.h"
#include "runtime/tshowhtextform.h"
#include "runtime/ttutbackform.h"
#include "runtime/ttxtvpdispform.h"
#include "shell/appstate.h"
#include "shell/tileimage.h"
#include "support/pictures.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

storage::TopicDisplayRecord PlacedRecord()
{
    storage::TopicDisplayRecord record;
    record.FullScreen = false;
    record.TextLeft = 120;
    record.TextTop = 80;
    record.TextWidth = 400;
    record.TextHeight = 200;
    return record;
}

QStringList ManyLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Line %1 of the page").arg(i);
    return lines;
}

// A designed page of five lines at the placed record's text window, put on screen (the test waits
// for it to be exposed).
struct ShownDesignedPage
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    runtime::TTxtVPDispForm form{PlacedRecord(), ManyLines(5), state};

    ShownDesignedPage() { form.show(); }
};

// Runs `check` on the first page window that comes up modally, then lets the test go on.
template<typename Form>
void WhenShown(std::function<void(Form*)> check)
{
    QTimer::singleShot(0, [check] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form*>(widget); form && form->isVisible()) {
                check(form);
                return;
            }
        }
        QFAIL("no page window shown");
    });
}

} // namespace

class TestPageWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designOrigin_data();
    void designOrigin();
    void textPageGeometry_data();
    void textPageGeometry();
    void designedTextRect_data();
    void designedTextRect();

    void textPage_placedFromDesignOrigin();
    void textPage_captionColourAndText();
    void textPage_closeKeys_data();
    void textPage_closeKeys();
    void textPage_okButtonCloses();

    void designedPage_fullScreen_textFillsScreen();
    void designedPage_placedText_atStoredRect();
    void designedPage_clickOnText_keepsOpen();
    void designedPage_clickOnBackground_closes();
    void designedPage_enterKeepsOpen_escCloses();
    void designedPage_backgroundKinds_data();
    void designedPage_backgroundKinds();
    void designedPage_activation_reloadsTextFromTop();
    void designedPage_menuHidden();

    void backdrop_coversScreenAndTakesNoInput();
    void backdrop_jpgWallpaper_reportsAndKeepsDefaultColour();
    void backdrop_graphic_stretched();

    void screenshots();
};

void TestPageWindows::designOrigin_data()
{
    QTest::addColumn<QSize>("mainWindow");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("800x600") << QSize(800, 600) << QPoint(80, 60);
    QTest::newRow("exact") << QSize(640, 480) << QPoint(0, 0);
    QTest::newRow("odd") << QSize(1025, 769) << QPoint(192, 144);
    QTest::newRow("smaller, toward zero") << QSize(501, 401) << QPoint(-69, -39);
}

void TestPageWindows::designOrigin()
{
    QFETCH(QSize, mainWindow);
    QFETCH(QPoint, origin);
    QCOMPARE(runtime::DesignOrigin(mainWindow), origin);
}

void TestPageWindows::textPageGeometry_data()
{
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QRect>("text");
    QTest::addColumn<QRect>("window");
    QTest::newRow("800x600 main window") << runtime::DesignOrigin(QSize(800, 600)) << QRect(120, 80, 400, 200)
                                         << QRect(200, 140, 403, 200);
    QTest::newRow("negative origin") << runtime::DesignOrigin(QSize(500, 400)) << QRect(120, 80, 400, 200)
                                     << QRect(50, 40, 403, 200);
    QTest::newRow("zero origin") << QPoint(0, 0) << QRect(10, 20, 30, 40) << QRect(10, 20, 33, 40);
    QTest::newRow("hostile sizes clamped") << QPoint(0, 0) << QRect(-2000000000, 2000000000, -5, 100000000)
                                           << QRect(-runtime::kMaxPageExtent, runtime::kMaxPageExtent, 3,
                                                    runtime::kMaxPageExtent);
}

void TestPageWindows::textPageGeometry()
{
    QFETCH(QPoint, origin);
    QFETCH(QRect, text);
    QFETCH(QRect, window);
    storage::TopicDisplayRecord record;
    record.TextLeft = text.x();
    record.TextTop = text.y();
    record.TextWidth = text.width();
    record.TextHeight = text.height();
    QCOMPARE(runtime::TextPageGeometry(origin, record), window);
}

void TestPageWindows::designedTextRect_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("full screen") << true << QRect(0, 0, 640, 480);
    QTest::newRow("placed, no origin") << false << QRect(120, 80, 400, 200);
}

void TestPageWindows::designedTextRect()
{
    QFETCH(bool, fullScreen);
    QFETCH(QRect, rect);
    storage::TopicDisplayRecord record = PlacedRecord();
    record.FullScreen = fullScreen;
    QCOMPARE(runtime::DesignedTextRect(record, QSize(640, 480)), rect);
}

void TestPageWindows::textPage_placedFromDesignOrigin()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    state.DesignOrigin = runtime::DesignOrigin(QSize(800, 600));
    runtime::TShowHTextForm form(PlacedRecord(), {QStringLiteral("Hello")}, state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(403, 200));
    QCOMPARE(form.pos(), QPoint(200, 140));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    auto* strip = form.findChild<QFrame*>(QStringLiteral("Panel1"));
    QVERIFY(ok && strip);
    QCOMPARE(strip->height(), 25);
    QVERIFY(qAbs(ok->x() - (strip->width() / 2 - ok->width() / 2)) <= 1);
}

void TestPageWindows::textPage_captionColourAndText()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    state.CurrentTopicTitle = QStringLiteral("Lava flows");
    storage::TopicDisplayRecord record = PlacedRecord();
    record.TextWindowColor = 0xC0FFFF; // light yellow
    runtime::TShowHTextForm form(record, {QStringLiteral("First"), QStringLiteral("Second")}, state);
    QCOMPARE(form.windowTitle(), QStringLiteral("Lava flows"));
    auto* edit = form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    auto* panel = form.findChild<QFrame*>(QStringLiteral("Panel2"));
    QVERIFY(edit && panel);
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->toPlainText(), QStringLiteral("First\nSecond"));
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(255, 255, 192));
}

void TestPageWindows::textPage_closeKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestPageWindows::textPage_closeKeys()
{
    QFETCH(int, key);
    ScriptedDialogs dialogs;
    shell::AppState state;
    runtime::TShowHTextForm form(PlacedRecord(), ManyLines(3), state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* edit = form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key(key));
    QTRY_VERIFY(!form.isVisible());
}

void TestPageWindows::textPage_okButtonCloses()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    runtime::TShowHTextForm form(PlacedRecord(), {}, state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

void TestPageWindows::designedPage_fullScreen_textFillsScreen()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    storage::TopicDisplayRecord record = PlacedRecord();
    record.FullScreen = true;
    runtime::TTxtVPDispForm form(record, ManyLines(5), state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* screen = form.findChild<runtime::BackgroundView*>(QStringLiteral("ScreenPnl"));
    auto* text = form.findChild<QFrame*>(QStringLiteral("TextPnl"));
    QVERIFY(screen && text);
    QCOMPARE(screen->size(), QSize(640, 480));
    QCOMPARE(form.size(), QSize(640, 480));
    QVERIFY(text->isVisible());
    QCOMPARE(text->geometry(), QRect(0, 0, 640, 480));
}

void TestPageWindows::designedPage_placedText_atStoredRect()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    state.DesignOrigin = QPoint(300, 300); // not used by this window
    runtime::TTxtVPDispForm form(PlacedRecord(), ManyLines(5), state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* text = form.findChild<QFrame*>(QStringLiteral("TextPnl"));
    QCOMPARE(text->geometry(), QRect(120, 80, 400, 200));
    auto* edit = form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(edit->isReadOnly());
}

void TestPageWindows::designedPage_clickOnText_keepsOpen()
{
    ShownDesignedPage page;
    QVERIFY(QTest::qWaitForWindowExposed(&page.form));
    auto* edit = page.form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    auto* text = page.form.findChild<QFrame*>(QStringLiteral("TextPnl"));
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(1, 1)); // the text window's frame
    QTest::qWait(20);
    QVERIFY(page.form.isVisible());
}

void TestPageWindows::designedPage_clickOnBackground_closes()
{
    ShownDesignedPage page;
    QVERIFY(QTest::qWaitForWindowExposed(&page.form));
    auto* screen = page.form.findChild<runtime::BackgroundView*>(QStringLiteral("ScreenPnl"));
    QTest::mouseClick(screen, Qt::RightButton, {}, QPoint(10, 10));
    QVERIFY(page.form.isVisible());
    QTest::mouseClick(screen, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!page.form.isVisible());
}

void TestPageWindows::designedPage_enterKeepsOpen_escCloses()
{
    ShownDesignedPage page;
    QVERIFY(QTest::qWaitForWindowExposed(&page.form));
    auto* edit = page.form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(&page.form, Qt::Key_Enter);
    QTest::qWait(20);
    QVERIFY(page.form.isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    QTRY_VERIFY(!page.form.isVisible());
}

void TestPageWindows::designedPage_backgroundKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("graphic");
    QTest::addColumn<QString>("tile");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("pictureShown");
    QTest::addColumn<bool>("tileShown");
    QTest::addColumn<bool>("screenColour");
    QTest::newRow("colour") << 1 << "" << "" << "" << false << false << true;
    QTest::newRow("graphic") << 2 << "rock.jpg" << "" << "" << true << false << false;
    QTest::newRow("graphic missing") << 2 << "NONE.JPG" << "" << "The graphic file NONE.JPG was not found" << false
                                     << false << true;
    QTest::newRow("wallpaper") << 3 << "" << "TILE.BMP" << "" << false << true << false;
    QTest::newRow("wallpaper jpg")
        << 3 << "" << "ROCK.JPG" << "Wallpaper must be a .BMP file.\n\r\n\rReplace ROCK.JPG with a .BMP Graphic."
        << false << false << false;
    QTest::newRow("wallpaper missing") << 3 << "" << "NONE.BMP" << "The Wallpaper file NONE.BMP was not found"
                                       << false << false << true;
}

void TestPageWindows::designedPage_backgroundKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, graphic);
    QFETCH(QString, tile);
    QFETCH(QString, error);
    QFETCH(bool, pictureShown);
    QFETCH(bool, tileShown);
    QFETCH(bool, screenColour);

    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("ROCK.JPG")), SolidPicture(800, 600, QColor(120, 70, 30), "jpg"));
    WriteAll(dir.filePath(QStringLiteral("tile.bmp")), SolidPicture(20, 20, QColor(30, 70, 120), "bmp"));
    ScriptedDialogs dialogs;
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.CurrentTopicTitle = QStringLiteral("Rocks");
    storage::TopicDisplayRecord record = PlacedRecord();
    record.BackgroundKind = kind;
    record.BackgroundColor = 0x008000; // green
    record.BackgroundGraphic = graphic;
    record.BackgroundTile = tile;
    runtime::TTxtVPDispForm form(record, {QStringLiteral("Text")}, state);
    QCOMPARE(dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(form.windowTitle(), QStringLiteral("Rocks"));
    auto* screen = form.findChild<runtime::BackgroundView*>(QStringLiteral("ScreenPnl"));
    QCOMPARE(!screen->picture()->isHidden(), pictureShown);
    QCOMPARE(!screen->tile()->isHidden(), tileShown);
    QCOMPARE(screen->color() == QColor(0, 128, 0), screenColour);
}

void TestPageWindows::designedPage_activation_reloadsTextFromTop()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    runtime::TTxtVPDispForm form(PlacedRecord(), ManyLines(200), state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* edit = form.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    QTRY_VERIFY(edit->verticalScrollBar()->maximum() > 0);
    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
    QVERIFY(edit->verticalScrollBar()->value() > 0);
    QEvent activation(QEvent::ActivationChange);
    form.activateWindow();
    QTRY_VERIFY(form.isActiveWindow());
    QApplication::sendEvent(&form, &activation);
    QCOMPARE(edit->verticalScrollBar()->value(), 0);
    QCOMPARE(edit->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Line 0 of the page"));
}

void TestPageWindows::designedPage_menuHidden()
{
    ScriptedDialogs dialogs;
    shell::AppState state;
    runtime::TTxtVPDispForm form(PlacedRecord(), {}, state);
    for (const char* name : {"MQuit", "MHelp", "MAbout"}) {
        auto* action = form.findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action && !action->isVisible(), name);
    }
    QCOMPARE(form.findChild<QAction*>(QStringLiteral("MQuit"))->text(), QStringLiteral("&Close"));
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("TitlePnl"))->isHidden());
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("StatusPnl"))->isHidden());
}

void TestPageWindows::backdrop_coversScreenAndTakesNoInput()
{
    ScriptedDialogs dialogs;
    storage::ProgramSettings program;
    program.BackgroundKind = 1;
    program.BackgroundColor = 0x800000; // navy
    runtime::TTutBackForm backdrop(program, QDir::tempPath());
    backdrop.showBackdrop();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    QCOMPARE(backdrop.geometry(), QGuiApplication::primaryScreen()->geometry());
    QVERIFY(backdrop.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(backdrop.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(backdrop.testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(backdrop.screen()->color(), QColor(0, 0, 128));
    QVERIFY(dialogs.errors.isEmpty());
}

void TestPageWindows::backdrop_jpgWallpaper_reportsAndKeepsDefaultColour()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("WALL.JPG")), SolidPicture(40, 40, Qt::red, "jpg"));
    storage::ProgramSettings program;
    program.BackgroundKind = 3;
    program.BackgroundColor = 0x800000;
    program.BackgroundTile = QStringLiteral("WALL.JPG");
    runtime::TTutBackForm backdrop(program, dir.path());
    const QColor defaultColour = backdrop.screen()->color();
    backdrop.showBackdrop();
    QCOMPARE(dialogs.errors, QStringList{QString::fromLatin1(
                                 "Wallpaper must be a .BMP file.\n\r\n\rReplace WALL.JPG with a .BMP Graphic.")});
    QCOMPARE(backdrop.screen()->color(), defaultColour);
    QCOMPARE(backdrop.screen()->layer(), runtime::BackgroundLayer::None);
}

void TestPageWindows::backdrop_graphic_stretched()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    WriteAll(dir.filePath(QStringLiteral("Back.jpg")), SolidPicture(1600, 1200, QColor(10, 100, 60), "jpg"));
    storage::ProgramSettings program;
    program.BackgroundKind = 2;
    program.BackgroundGraphic = QStringLiteral("BACK.JPG");
    runtime::TTutBackForm backdrop(program, dir.path());
    backdrop.showBackdrop();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    QVERIFY(dialogs.errors.isEmpty());
    QCOMPARE(backdrop.screen()->layer(), runtime::BackgroundLayer::Stretched);
    const QImage shot = backdrop.grab().toImage();
    const QColor corner = shot.pixelColor(shot.width() - 2, shot.height() - 2);
    QVERIFY2(qAbs(corner.green() - 100) < 12, qPrintable(corner.name()));
}

// Pictures of each window for a person to look at; written only when QUORVEL_SCREENSHOT_DIR names
// a directory.
void TestPageWindows::screenshots()
{
    const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (out.isEmpty())
        QSKIP("QUORVEL_SCREENSHOT_DIR not set");
    QTemporaryDir dir;
    const QImage photo = VolcanoPhoto(1600, 1200);
    QImage tile(48, 32, QImage::Format_RGB32);
    tile.fill(QColor(170, 80, 50));
    QPainter tp(&tile);
    tp.setPen(QColor(220, 210, 200));
    tp.drawLine(0, 15, 47, 15);
    tp.drawLine(0, 31, 47, 31);
    tp.drawLine(23, 0, 23, 15);
    tp.drawLine(47, 16, 47, 31);
    tp.end();
    photo.save(dir.filePath(QStringLiteral("VOLCANO.JPG")), "JPG");
    tile.save(dir.filePath(QStringLiteral("BRICK.BMP")), "BMP");

    ScriptedDialogs dialogs;
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.DesignOrigin = runtime::DesignOrigin(QSize(800, 600));
    state.CurrentTopicTitle = QStringLiteral("Volcanoes");
    const QStringList text = {QStringLiteral("Volcanoes are openings in the crust of the Earth."),
                              QStringLiteral("Molten rock, ash and gases escape through them."), QString(),
                              QStringLiteral("This page is shown in its text window.")};

    struct Kind
    {
        const char* name;
        int kind;
    };
    for (Kind k : {Kind{"colour", 1}, Kind{"graphic", 2}, Kind{"wallpaper", 3}}) {
        storage::TopicDisplayRecord record = PlacedRecord();
        record.BackgroundKind = k.kind;
        record.BackgroundColor = 0x806000;
        record.BackgroundGraphic = QStringLiteral("volcano.jpg");
        record.BackgroundTile = QStringLiteral("brick.bmp");
        record.TextWindowColor = 0xE0FFFF;
        runtime::TTxtVPDispForm page(record, text, state);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.grab().save(out + QStringLiteral("/designedpage-%1.png").arg(QLatin1String(k.name)));

        runtime::TShowHTextForm textPage(record, text, state);
        textPage.show();
        QVERIFY(QTest::qWaitForWindowExposed(&textPage));
        textPage.grab().save(out + QStringLiteral("/textpage-%1.png").arg(QLatin1String(k.name)));

        storage::ProgramSettings program;
        program.BackgroundKind = k.kind;
        program.BackgroundColor = 0x503010;
        program.BackgroundGraphic = QStringLiteral("VOLCANO.JPG");
        program.BackgroundTile = QStringLiteral("BRICK.BMP");
        runtime::TTutBackForm backdrop(program, dir.path());
        backdrop.showBackdrop();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        backdrop.grab().save(out + QStringLiteral("/backdrop-%1.png").arg(QLatin1String(k.name)));
    }
    QVERIFY(dialogs.errors.isEmpty());
}

QTEST_MAIN(TestPageWindows)
#include "tst_pagewindows.moc"
