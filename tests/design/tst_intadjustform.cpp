// Covers the introduction layout adjuster (design/tintadjustform): the screen it shows from the
// introduction design, attaching the handle to the text window, the ways it closes, and what a
// save stores.
#include "design/tintadjustform.h"
#include "design/tstretchhandle.h"
#include "platform/rtf/rtfwriter.h"
#include "runtime/backgroundview.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/currentfolder.h"
#include "support/richlines.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

using namespace design;

namespace {

// An introduction with its text window at its own place.
storage::ScreenDesign PlacedScreen()
{
    storage::ScreenDesign screen;
    screen.Window.FullScreen = false;
    screen.Window.TextLeft = 100;
    screen.Window.TextTop = 60;
    screen.Window.TextWidth = 300;
    screen.Window.TextHeight = 150;
    return screen;
}

storage::ProgramSettings Program()
{
    storage::ProgramSettings program;
    program.Title = QStringLiteral("Volcanoes");
    return program;
}

// Presses on the text window, moves it by the arrow keys and then acts on the window.
std::function<void(QWidget*)> MoveRightThen(std::function<void(QWidget*)> then)
{
    return [then](QWidget* modal) {
        auto* form = qobject_cast<TIntAdjustForm*>(modal);
        QVERIFY(form);
        PressOn(Child<QFrame>(*modal, "TextPnl"));
        QTest::keyClick(form->handle(), Qt::Key_Right);
        QTest::keyClick(form->handle(), Qt::Key_Right);
        QTest::keyClick(form->handle(), Qt::Key_Down);
        then(modal);
    };
}

} // namespace

class TestIntAdjustForm : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CurrentFolder> m_folder;

    QString dir() const { return m_folder->path(); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<CurrentFolder>();
    }
    void cleanup()
    {
        m_folder.reset();
    }

    void opening_captionSizeAndPopup()
    {
        TIntAdjustForm form(PlacedScreen(), {}, Program(), {}, dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press Mouse Right Button for Menu"));
        QCOMPARE(form.size(), QSize(640, 480));
        QCOMPARE(Child<QAction>(form, "PUHelp")->text(), QStringLiteral("Help"));
        QCOMPARE(Child<QAction>(form, "PUSave")->text(), QStringLiteral("&Save and Quit"));
        QCOMPARE(Child<QAction>(form, "PUQuit")->text(), QStringLiteral("&Quit"));
        Child<QAction>(form, "PUHelp")->trigger();
        QCOMPARE(m_folder->dialogs.helpShown, QList<int>{485});
        QVERIFY(form.isVisible());
    }

    void menuItems_followDesign_data()
    {
        QTest::addColumn<bool>("menuBar");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("about");
        QTest::newRow("menu bar off, help and about on") << false << true << true;
        QTest::newRow("menu bar on, close only") << true << false << false;
        QTest::newRow("menu bar on, help") << true << true << false;
        QTest::newRow("menu bar on, about") << true << false << true;
        QTest::newRow("menu bar on, all") << true << true << true;
    }
    void menuItems_followDesign()
    {
        QFETCH(bool, menuBar);
        QFETCH(bool, help);
        QFETCH(bool, about);
        storage::ScreenDesign screen = PlacedScreen();
        screen.UseMenuBar = menuBar;
        storage::PresentationBlock block;
        block.UseAboutBox = about;
        block.Captions.CloseCaption = QStringLiteral("&Leave");
        block.Captions.HelpCaption = QStringLiteral("Hel&p me");
        block.Captions.AboutCaption = QStringLiteral("Who &wrote this");
        storage::ProgramSettings program = Program();
        program.UseHelpFile = help;
        program.HelpFile = QStringLiteral("ROCKS.HLP");
        TIntAdjustForm form(screen, block, program, {}, dir());
        form.show();
        QCOMPARE(Child<QMenuBar>(form, "MainMenu1")->isVisible(), menuBar);
        auto* close = Child<QAction>(form, "MQuit");
        auto* helpItem = Child<QAction>(form, "MHelp");
        auto* aboutItem = Child<QAction>(form, "MAbout");
        QCOMPARE(close->isVisible(), menuBar);
        QCOMPARE(helpItem->isVisible(), menuBar && help);
        QCOMPARE(aboutItem->isVisible(), menuBar && about);
        if (menuBar) {
            QCOMPARE(close->text(), QStringLiteral("&Leave"));
            QCOMPARE(helpItem->text(), QStringLiteral("Hel&p me"));
            QCOMPARE(aboutItem->text(), QStringLiteral("Who &wrote this"));
        }
        // The adjuster never makes the list's help file the program's.
        QCOMPARE(m_folder->dialogs.helpFile(), QString());
    }

    void helpItem_opensListHelp_thenSwitchesBack()
    {
        storage::ProgramSettings program = Program();
        program.UseHelpFile = true;
        program.HelpFile = QStringLiteral("ROCKS.HLP");
        program.HelpStartTopic = 12;
        m_folder->dialogs.setHelpFile(QStringLiteral("/opt/QUORVELA.HLP"));
        TIntAdjustForm form(PlacedScreen(), {}, program, {}, dir());
        Child<QAction>(form, "MHelp")->trigger();
        QCOMPARE(m_folder->dialogs.helpShown, QList<int>{12});
        QCOMPARE(m_folder->dialogs.helpFile(), QStringLiteral("/opt/QUORVELA.HLP"));
        Child<QAction>(form, "PUHelp")->trigger();
        QCOMPARE(m_folder->dialogs.helpShown, (QList<int>{12, 485}));
    }

    void bars_shownAsDesigned()
    {
        storage::ScreenDesign screen = PlacedScreen();
        screen.TitleBar = {true, QStringLiteral("Welcome"), QStringLiteral("20 255 1 Arial"), 0x00FFFF};
        screen.StatusBar.Used = false;
        screen.UseMenuBar = false;
        TIntAdjustForm form(screen, {}, Program(), {}, dir());
        form.show();
        auto* title = Child<QLabel>(form, "TitlePnl");
        QVERIFY(title->isVisible());
        QCOMPARE(title->text(), QStringLiteral("Welcome"));
        QCOMPARE(title->height(), 40);
        QCOMPARE(title->palette().color(QPalette::Window), QColor(255, 255, 0));
        QVERIFY(!Child<QLabel>(form, "StatusPnl")->isVisible());
        QCOMPARE(Child<QWidget>(form, "ScreenPnl")->geometry(), QRect(0, 40, 640, 440));
    }

    void textWindow_fullScreenOrStoredPlace_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("stored place") << false << QRect(100, 60, 300, 150);
        QTest::newRow("full screen") << true << QRect(0, 0, 640, 480);
    }
    void textWindow_fullScreenOrStoredPlace()
    {
        QFETCH(bool, fullScreen);
        QFETCH(QRect, expected);
        storage::ScreenDesign screen = PlacedScreen();
        screen.UseMenuBar = false;
        screen.Window.FullScreen = fullScreen;
        screen.Window.TextWindowColor = 0xCCFFFF;
        TIntAdjustForm form(screen, {}, Program(), RtfLinesOf(QStringLiteral("Welcome, reader")), dir());
        form.show();
        auto* text = Child<QFrame>(form, "TextPnl");
        QVERIFY(text->isVisible());
        QCOMPARE(text->geometry(), expected);
        auto* rich = Child<QTextEdit>(form, "RichEdit1");
        QCOMPARE(rich->toPlainText(), QStringLiteral("Welcome, reader"));
        QVERIFY(rich->isReadOnly());
        QCOMPARE(rich->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(rich->palette().color(QPalette::Base), QColor(255, 255, 204));
        QCOMPARE(text->palette().color(QPalette::Window), QColor(255, 255, 204));
    }

    void screenArgument_winsOverBlocksOwn()
    {
        storage::PresentationBlock block;
        block.IntroScreen.UseMenuBar = true;
        block.IntroScreen.Window.BackgroundColor = 0x0000FF;
        block.IntroScreen.Window.FullScreen = true;
        storage::ScreenDesign screen = PlacedScreen();
        screen.UseMenuBar = false;
        screen.Window.BackgroundColor = 0x00FF00;
        TIntAdjustForm form(screen, block, Program(), {}, dir());
        form.show();
        QVERIFY(!Child<QMenuBar>(form, "MainMenu1")->isVisible());
        QCOMPARE(Child<runtime::BackgroundView>(form, "ScreenPnl")->color(), QColor(0, 255, 0));
        QCOMPARE(Child<QFrame>(form, "TextPnl")->geometry(), QRect(100, 60, 300, 150));
        QCOMPARE(form.screen(), screen);
    }

    void missingWallpaper_reportedAndColourKept()
    {
        storage::ScreenDesign screen = PlacedScreen();
        screen.Window.BackgroundKind = 3;
        screen.Window.BackgroundColor = 0x0000FF;
        screen.Window.BackgroundTile = QStringLiteral("GONE.BMP");
        TIntAdjustForm form(screen, {}, Program(), {}, dir());
        QCOMPARE(m_folder->dialogs.errors, QStringList{QStringLiteral("The Wallpaper file GONE.BMP was not found")});
        QCOMPARE(Child<runtime::BackgroundView>(form, "ScreenPnl")->color(), QColor(255, 0, 0));
    }

    void pressOnTextWindow_anyButton_attachesHandle_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("button");
        QTest::newRow("left on the window") << QStringLiteral("TextPnl") << int(Qt::LeftButton);
        QTest::newRow("left on the text") << QStringLiteral("text") << int(Qt::LeftButton);
        QTest::newRow("middle on the text") << QStringLiteral("text") << int(Qt::MiddleButton);
        QTest::newRow("right on the text") << QStringLiteral("text") << int(Qt::RightButton);
        QTest::newRow("right on the window") << QStringLiteral("TextPnl") << int(Qt::RightButton);
    }
    void pressOnTextWindow_anyButton_attachesHandle()
    {
        QFETCH(QString, part);
        QFETCH(int, button);
        TIntAdjustForm form(PlacedScreen(), {}, Program(), RtfLinesOf(QStringLiteral("x")), dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* text = Child<QFrame>(form, "TextPnl");
        QWidget* target = part == QLatin1String("text") ? Child<QTextEdit>(form, "RichEdit1")->viewport()
                                                        : static_cast<QWidget*>(text);
        QVERIFY(form.handle()->attached().isEmpty());
        PressOn(target, Qt::MouseButton(button));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{text});
        QCOMPARE(form.handle()->geometry(), QRect(98, 58, 305, 155));
        if (button == Qt::RightButton) {
            QTRY_VERIFY(form.popupMenu()->isVisible());
            form.popupMenu()->close();
        }
    }

    void pressAndDragOnText_movesTextWindowAtOnce()
    {
        // The press attaches the handle, which takes the mouse, so the same press drags: events
        // go through the window as the platform delivers them.
        storage::ScreenDesign screen = PlacedScreen();
        screen.UseMenuBar = false;
        TIntAdjustForm form(screen, {}, Program(), RtfLinesOf(QStringLiteral("Lava")), dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWindow* window = form.windowHandle();
        auto* text = Child<QFrame>(form, "TextPnl");
        const QPoint start = text->mapTo(&form, QPoint(60, 40));
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{text});
        QTest::mouseMove(window, start + QPoint(5, 5));
        QTest::mouseMove(window, start + QPoint(40, 30));
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(40, 30));
        // The drag started at the first move: (35, 25) from there, less the frame's 2.
        QCOMPARE(text->geometry(), QRect(100 + 33, 60 + 23, 300, 150));
        Child<QAction>(form, "PUSave")->trigger();
        QCOMPARE(form.screen().Window.TextLeft, 133);
        QCOMPARE(form.screen().Window.TextTop, 83);
    }

    void pressOnBackground_attachesNothing()
    {
        TIntAdjustForm form(PlacedScreen(), {}, Program(), {}, dir());
        form.show();
        PressOn(Child<runtime::BackgroundView>(form, "ScreenPnl"));
        QVERIFY(form.handle()->attached().isEmpty());
        QVERIFY(form.isVisible());
    }

    void save_storesMovedPlace_keepsTheRest()
    {
        storage::ScreenDesign screen = PlacedScreen();
        screen.Window.BackgroundKind = 1;
        screen.Window.BackgroundColor = 0x123456;
        screen.TitleBar.Text = QStringLiteral("kept");
        const storage::ScreenDesign before = screen;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<TIntAdjustForm*>(modal);
            QVERIFY(form);
            PressOn(Child<QTextEdit>(*modal, "RichEdit1")->viewport());
            form->handle()->SetBounds(18, 28, 205, 105); // text window 20, 30, 200, 100
            Child<QAction>(*modal, "PUSave")->trigger();
        });
        QVERIFY(AdjustIntroductionWindow(screen, {}, Program(), {}, nullptr));
        QVERIFY(driver.opened);
        QVERIFY(m_folder->dialogs.questions.isEmpty());
        QCOMPARE(screen.Window.TextLeft, 20);
        QCOMPARE(screen.Window.TextTop, 30);
        QCOMPARE(screen.Window.TextWidth, 200);
        QCOMPARE(screen.Window.TextHeight, 100);
        storage::ScreenDesign rest = screen;
        rest.Window.TextLeft = before.Window.TextLeft;
        rest.Window.TextTop = before.Window.TextTop;
        rest.Window.TextWidth = before.Window.TextWidth;
        rest.Window.TextHeight = before.Window.TextHeight;
        QCOMPARE(rest, before);
    }

    void saveFullScreen_storesScreenPlace_flagKept()
    {
        storage::ScreenDesign screen;
        screen.UseMenuBar = false;
        screen.Window.FullScreen = true;
        ModalDriver driver([](QWidget* modal) { Child<QAction>(*modal, "PUSave")->trigger(); });
        QVERIFY(AdjustIntroductionWindow(screen, {}, Program(), {}, nullptr));
        QVERIFY(screen.Window.FullScreen);
        QCOMPARE(screen.Window.TextLeft, 0);
        QCOMPARE(screen.Window.TextTop, 0);
        QCOMPARE(screen.Window.TextWidth, 640);
        QCOMPARE(screen.Window.TextHeight, 480);
    }

    void closeItem_asksSaveChanges_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes stores the new place") << true;
        QTest::newRow("No leaves the record") << false;
    }
    void closeItem_asksSaveChanges()
    {
        QFETCH(bool, answer);
        storage::ScreenDesign screen = PlacedScreen();
        screen.UseMenuBar = true;
        const storage::ScreenDesign before = screen;
        ModalDriver driver(MoveRightThen([](QWidget* modal) {
            auto* close = Child<QAction>(*modal, "MQuit");
            QCOMPARE(close->text(), QStringLiteral("&Close"));
            QVERIFY(close->isVisible());
            close->trigger();
        }));
        m_folder->dialogs.yesNoAnswers.enqueue(answer);
        QCOMPARE(AdjustIntroductionWindow(screen, {}, Program(), {}, nullptr), answer);
        QCOMPARE(m_folder->dialogs.questions, QStringList{QStringLiteral("Save changes?")});
        if (answer) {
            QCOMPARE(screen.Window.TextLeft, 102);
            QCOMPARE(screen.Window.TextTop, 61);
            QCOMPARE(screen.Window.TextWidth, 300);
            QCOMPARE(screen.Window.TextHeight, 150);
        } else {
            QCOMPARE(screen, before);
        }
    }

    void escape_cancelsAfterAsking_data()
    {
        QTest::addColumn<bool>("onHandle");
        QTest::newRow("the window focused") << false;
        QTest::newRow("the stretch handle focused") << true;
    }
    void escape_cancelsAfterAsking()
    {
        QFETCH(bool, onHandle);
        storage::ScreenDesign screen = PlacedScreen();
        const storage::ScreenDesign before = screen;
        ModalDriver driver(MoveRightThen([onHandle](QWidget* modal) {
            auto* form = qobject_cast<TIntAdjustForm*>(modal);
            QTest::keyClick(onHandle ? static_cast<QWidget*>(form->handle()) : modal, Qt::Key_Escape);
        }));
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(!AdjustIntroductionWindow(screen, {}, Program(), {}, nullptr));
        QVERIFY(!driver.stuck);
        QCOMPARE(m_folder->dialogs.questions, QStringList{QStringLiteral("Save changes?")});
        QCOMPARE(screen, before);
    }

    void quit_answeredYes_saves()
    {
        storage::ScreenDesign screen = PlacedScreen();
        ModalDriver driver(
            MoveRightThen([](QWidget* modal) { Child<QAction>(*modal, "PUQuit")->trigger(); }));
        m_folder->dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(AdjustIntroductionWindow(screen, {}, Program(), {}, nullptr));
        QCOMPARE(screen.Window.TextLeft, 102);
        QCOMPARE(screen.Window.TextTop, 61);
    }

    void backgroundDesignerAdjuster_storesIntoWorkingScreen()
    {
        storage::PresentationBlock block;
        block.IntroScreen.Window.TextLeft = 1; // ignored: the working screen is what is designed
        const IntroAdjuster adjuster =
            IntroductionAdjuster(block, Program(), RtfLinesOf(QStringLiteral("Magma")));
        storage::ScreenDesign screen = PlacedScreen();
        QString shown;
        ModalDriver driver(MoveRightThen([&shown](QWidget* modal) {
            shown = Child<QTextEdit>(*modal, "RichEdit1")->toPlainText();
            Child<QAction>(*modal, "PUSave")->trigger();
        }));
        adjuster(screen, nullptr);
        QCOMPARE(shown, QStringLiteral("Magma"));
        QCOMPARE(screen.Window.TextLeft, 102);
    }

    void designIntroductionWindow_adjustWindowRunsAdjuster_okKeepsPlace()
    {
        storage::ScreenDesign screen = PlacedScreen();
        screen.Window.BackgroundColor = 0x00FF00;
        std::unique_ptr<ModalDriver> inner;
        bool adjusterSeen = false;
        ModalDriver outer([&](QWidget* designer) {
            inner = std::make_unique<ModalDriver>(MoveRightThen([&adjusterSeen](QWidget* modal) {
                adjusterSeen = true;
                // The adjuster shows the background the designer holds.
                QCOMPARE(Child<runtime::BackgroundView>(*modal, "ScreenPnl")->color(), QColor(0, 255, 0));
                Child<QAction>(*modal, "PUSave")->trigger();
            }));
            QTest::mouseClick(Child<QPushButton>(*designer, "WindowBtn"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(*designer, "OKBtn"), Qt::LeftButton);
        });
        QVERIFY(DesignIntroductionWindow(screen, {}, Program(), {}, nullptr));
        QVERIFY(adjusterSeen);
        QCOMPARE(screen.Window.TextLeft, 102);
        QCOMPARE(screen.Window.TextTop, 61);
        QCOMPARE(screen.Window.BackgroundColor, 0x00FF00u);
    }

    // --- records from a stranger ------------------------------------------------------------------

    void hostileRecord_isClampedNotObeyed()
    {
        storage::ScreenDesign screen;
        screen.Window.FullScreen = false;
        screen.Window.TextLeft = -2000000000;
        screen.Window.TextTop = 2000000000;
        screen.Window.TextWidth = 2000000000;
        screen.Window.TextHeight = -7;
        screen.Window.BackgroundKind = 99;
        screen.Window.BackgroundGraphic = QString(300, QLatin1Char('/'));
        screen.TitleBar = {true, QString(5000, QLatin1Char('x')), QStringLiteral("2147483647 99999999999 -1"),
                           0};
        screen.StatusBar = {true, {}, QStringLiteral("-2147483648"), 0xFFFFFFFF};
        storage::PresentationBlock block;
        block.Captions.CloseCaption.clear();
        const QStringList text{QStringLiteral("{\\rtf1 {{{{{{{{ \\bin999999999"),
                               QStringLiteral("\\'zz}}}}}}}}}}}")};
        TIntAdjustForm form(screen, block, Program(), text, dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Child<QFrame>(form, "TextPnl")->geometry(), QRect(-8192, 8192, 8192, 0));
        QVERIFY(Child<QLabel>(form, "TitlePnl")->height() <= 480);
        QVERIFY(Child<QLabel>(form, "StatusPnl")->height() <= 480);
        // An empty caption would leave no item to close with.
        QCOMPARE(Child<QAction>(form, "MQuit")->text(), QStringLiteral("&Close"));
        PressOn(Child<QFrame>(form, "TextPnl"));
        QCOMPARE(form.handle()->attached().size(), 1);
        Child<QAction>(form, "PUSave")->trigger();
        QCOMPARE(form.screen().Window.TextLeft, -8192);
        QCOMPARE(form.screen().Window.TextTop, 8192);
        QCOMPARE(form.screen().Window.TextWidth, 8192);
        QCOMPARE(form.screen().Window.TextHeight, 0);
    }

    void screenshot_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        QImage tile(48, 32, QImage::Format_RGB32);
        tile.fill(QColor(170, 80, 50));
        QPainter painter(&tile);
        painter.setPen(QColor(220, 210, 200));
        painter.drawLine(0, 15, 47, 15);
        painter.drawLine(0, 31, 47, 31);
        painter.drawLine(23, 0, 23, 15);
        painter.drawLine(47, 16, 47, 31);
        painter.end();
        QVERIFY(tile.save(QDir(dir()).filePath(QStringLiteral("BRICK.BMP")), "BMP"));

        storage::ScreenDesign screen = PlacedScreen();
        screen.Window.BackgroundKind = 3;
        screen.Window.BackgroundTile = QStringLiteral("brick.bmp");
        screen.Window.TextWindowColor = 0xE0FFFF;
        screen.TitleBar = {true, QStringLiteral("Welcome to Volcanoes"),
                           QStringLiteral("16 128 3 Times New Roman"), 0xC0C0C0};
        screen.StatusBar = {true, QStringLiteral("Drag the text window into place"),
                            QStringLiteral("8 0 0 Arial"), 0xC0C0C0};
        storage::PresentationBlock block;
        block.UseAboutBox = true;
        storage::ProgramSettings program = Program();
        program.UseHelpFile = true;
        TIntAdjustForm form(screen, block, program,
                            RtfLinesOf(QStringLiteral("Welcome to the Study List of volcanoes.\n"
                                                      "Choose a Topic on the next screen.")),
                            dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        PressOn(Child<QFrame>(form, "TextPnl"), Qt::LeftButton, QPoint(30, 10));
        QTest::qWait(50);
        QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("tintadjustform.png"))));
        QVERIFY(m_folder->dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(TestIntAdjustForm)
#include "tst_intadjustform.moc"
