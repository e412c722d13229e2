// Covers the introduction display (runtime/tintdispform): its bars, menu items and captions, the
// background, the text window's place, and the ways it closes.
#include "runtime/backgroundview.h"
#include "runtime/tintdispform.h"
#include "shell/appstate.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

template <typename T> T* Child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

QAction* Action(QWidget* parent, const char* name)
{
    return parent->findChild<QAction*>(QString::fromLatin1(name));
}

QStringList Text()
{
    return {QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Welcome to the Study List of"),
            QStringLiteral("\\b  volcanoes\\b0 .\\par Choose a Topic on the next screen.\\par}")};
}

} // namespace

class TestIntDispForm : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    shell::AppState m_state;

    static storage::PresentationBlock Presentation()
    {
        storage::PresentationBlock block;
        block.UseIntroduction = true;
        block.IntroScreen.Window.FullScreen = false;
        return block;
    }
    static storage::ProgramSettings Program()
    {
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Volcanoes");
        return program;
    }

private Q_SLOTS:
    void initTestCase() { m_state.WorkingDirectory = m_dir.path() + QLatin1Char('/'); }

    void display_isDesignSize_captionTitle_textPlaced()
    {
        ScriptedDialogs dialogs;
        runtime::TIntDispForm form(Presentation(), Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(640, 480));
        QCOMPARE(form.windowTitle(), QStringLiteral("Volcanoes"));
        auto* text = Child<QFrame>(&form, "TextPnl");
        QVERIFY(text->isVisible());
        QCOMPARE(text->geometry(), QRect(120, 80, 400, 200));
        auto* rich = Child<QTextEdit>(&form, "RichEdit1");
        QVERIFY(rich->isReadOnly());
        QVERIFY(rich->toPlainText().startsWith(
            QStringLiteral("Welcome to the Study List of volcanoes.\nChoose a Topic on the next screen.")));
        QCOMPARE(rich->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(rich->document()->documentMargin(), 10.0);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void display_fullScreen_textFillsScreen()
    {
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.Window.FullScreen = true;
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Child<QFrame>(&form, "TextPnl")->geometry(), Child<QWidget>(&form, "ScreenPnl")->rect());
    }

    void display_bars_twiceThePointSize()
    {
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.TitleBar = {true, QStringLiteral("Welcome"),
                                      QStringLiteral("16 0 1 Times New Roman"), 0xFFFF00};
        block.IntroScreen.StatusBar = {true, QStringLiteral("Press Esc"), QStringLiteral("10 0 0 Arial"),
                                       0xC0C0C0};
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* title = Child<QLabel>(&form, "TitlePnl");
        auto* status = Child<QLabel>(&form, "StatusPnl");
        QVERIFY(title->isVisible());
        QCOMPARE(title->height(), 32);
        QCOMPARE(title->text(), QStringLiteral("Welcome"));
        QCOMPARE(title->palette().color(QPalette::Window), QColor(0, 255, 255));
        QCOMPARE(status->height(), 20);
        auto* screen = Child<QWidget>(&form, "ScreenPnl");
        QCOMPARE(screen->y(), title->geometry().bottom() + 1);
        QCOMPARE(screen->geometry().bottom() + 1, status->y());
    }

    void display_menuBarOff_noItemsEvenWithHelpAndAbout()
    {
        ScriptedDialogs dialogs;
        dialogs.setHelpFile(QStringLiteral("own.hlp"));
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.UseMenuBar = false;
        block.UseAboutBox = true;
        storage::ProgramSettings program = Program();
        program.UseHelpFile = true;
        program.HelpFile = QStringLiteral("LIST.HLP");
        runtime::TIntDispForm form(block, program, Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!Child<QMenuBar>(&form, "MainMenu1")->isVisible());
        for (const char* name : {"MQuit", "MHelp", "MAbout"})
            QVERIFY2(!Action(&form, name)->isVisible(), name);
        QCOMPARE(dialogs.helpFile(), QStringLiteral("own.hlp"));
    }

    void display_menuBar_itemsCaptionedFromList_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<bool>("help");
        QTest::newRow("close only") << false << false;
        QTest::newRow("about") << true << false;
        QTest::newRow("help") << false << true;
        QTest::newRow("both") << true << true;
    }
    void display_menuBar_itemsCaptionedFromList()
    {
        QFETCH(bool, about);
        QFETCH(bool, help);
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.UseAboutBox = about;
        block.Captions.CloseCaption = QStringLiteral("&Leave");
        block.Captions.AboutCaption = QStringLiteral("&Who");
        block.Captions.HelpCaption = QStringLiteral("&Guide");
        storage::ProgramSettings program = Program();
        program.UseHelpFile = help;
        program.HelpFile = QStringLiteral("LIST.HLP");
        program.HelpStartTopic = 12;
        runtime::TIntDispForm form(block, program, Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(Child<QMenuBar>(&form, "MainMenu1")->isVisible());
        QCOMPARE(Action(&form, "MQuit")->text(), QStringLiteral("&Leave"));
        QVERIFY(Action(&form, "MQuit")->isVisible());
        QCOMPARE(Action(&form, "MAbout")->isVisible(), about);
        QCOMPARE(Action(&form, "MAbout")->text(), QStringLiteral("&Who"));
        QCOMPARE(Action(&form, "MHelp")->isVisible(), help);
        QCOMPARE(Action(&form, "MHelp")->text(), QStringLiteral("&Guide"));
        QCOMPARE(dialogs.helpFile().endsWith(QStringLiteral("LIST.HLP")), help);
        if (help) {
            Action(&form, "MHelp")->trigger();
            QCOMPARE(dialogs.helpShown, QList<int>{12});
        }
        Action(&form, "MQuit")->trigger();
        QVERIFY(!form.isVisible());
    }

    void display_escapeCloses()
    {
        ScriptedDialogs dialogs;
        runtime::TIntDispForm form(Presentation(), Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(Child<QTextEdit>(&form, "RichEdit1"), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void display_clickOnBackgroundCloses_clickOnTextDoesNot()
    {
        ScriptedDialogs dialogs;
        runtime::TIntDispForm form(Presentation(), Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* rich = Child<QTextEdit>(&form, "RichEdit1");
        QTest::mouseClick(rich->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(form.isVisible());
        QTest::mouseClick(Child<QWidget>(&form, "ScreenPnl"), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(form.isVisible());
        QTest::mouseClick(Child<QWidget>(&form, "ScreenPnl"), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!form.isVisible());
    }

    void display_textReloadedOnActivation()
    {
        ScriptedDialogs dialogs;
        QStringList many;
        for (int i = 0; i < 80; ++i)
            many << QStringLiteral("Line %1 of the introduction").arg(i);
        runtime::TIntDispForm form(Presentation(), Program(), many, m_state);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* rich = Child<QTextEdit>(&form, "RichEdit1");
        rich->verticalScrollBar()->setValue(rich->verticalScrollBar()->maximum());
        QVERIFY(rich->verticalScrollBar()->value() > 0);
        // Another window takes the activation and gives it back.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(rich->verticalScrollBar()->value(), 0);
    }

    void display_backgroundMessages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("graphic");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QColor>("colour");
        const QColor fallback(0, 0, 255);
        QTest::newRow("colour") << 1 << QString() << QString() << QString() << fallback;
        QTest::newRow("missing graphic")
            << 2 << QStringLiteral("GONE.JPG") << QString()
            << QStringLiteral("The graphic file GONE.JPG was not found") << fallback;
        QTest::newRow("missing wallpaper")
            << 3 << QString() << QStringLiteral("GONE.BMP")
            << QStringLiteral("The Wallpaper file GONE.BMP was not found") << fallback;
    }
    void display_backgroundMessages()
    {
        QFETCH(int, kind);
        QFETCH(QString, graphic);
        QFETCH(QString, tile);
        QFETCH(QString, message);
        QFETCH(QColor, colour);
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.Window.BackgroundKind = kind;
        block.IntroScreen.Window.BackgroundColor = 0xFF0000;
        block.IntroScreen.Window.BackgroundGraphic = graphic;
        block.IntroScreen.Window.BackgroundTile = tile;
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        QCOMPARE(dialogs.errors, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(Child<runtime::BackgroundView>(&form, "ScreenPnl")->color(), colour);
    }

    void display_jpgWallpaper_reportedDefaultColour()
    {
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.Window.BackgroundKind = 3;
        block.IntroScreen.Window.BackgroundColor = 0xFF0000;
        block.IntroScreen.Window.BackgroundTile = QStringLiteral("tile.jpg");
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        QCOMPARE(dialogs.errors,
                 QStringList{QStringLiteral(
                     "Wallpaper must be a .BMP file.\n\r\n\rReplace tile.jpg with a .BMP Graphic.")});
        QVERIFY(Child<runtime::BackgroundView>(&form, "ScreenPnl")->color() != QColor(0, 0, 255));
    }

    void display_textWindowColour()
    {
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.Window.TextWindowColor = 0xE0FFFF;
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        QCOMPARE(Child<QTextEdit>(&form, "RichEdit1")->palette().color(QPalette::Base),
                 QColor(0xFF, 0xFF, 0xE0));
    }

    void display_hostileRect_clamped()
    {
        ScriptedDialogs dialogs;
        storage::PresentationBlock block = Presentation();
        block.IntroScreen.Window.TextLeft = -2147483647;
        block.IntroScreen.Window.TextWidth = 2147483647;
        block.IntroScreen.Window.TextHeight = -9;
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Child<QFrame>(&form, "TextPnl")->geometry(), QRect(-8192, 80, 8192, 0));
    }

    void screenshots()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("QUORVEL_SCREENSHOT_DIR not set");
        ScriptedDialogs dialogs;
        QImage tile(48, 32, QImage::Format_RGB32);
        tile.fill(QColor(170, 80, 50));
        QPainter tp(&tile);
        tp.setPen(QColor(220, 210, 200));
        tp.drawLine(0, 15, 47, 15);
        tp.drawLine(0, 31, 47, 31);
        tp.drawLine(23, 0, 23, 15);
        tp.drawLine(47, 16, 47, 31);
        tp.end();
        QVERIFY(tile.save(m_dir.filePath(QStringLiteral("BRICK.BMP")), "BMP"));
        storage::PresentationBlock block = Presentation();
        block.UseAboutBox = true;
        block.IntroScreen.Window.BackgroundKind = 3;
        block.IntroScreen.Window.BackgroundTile = QStringLiteral("brick.bmp");
        block.IntroScreen.TitleBar = {true, QStringLiteral("Welcome to Volcanoes"),
                                      QStringLiteral("16 128 3 Times New Roman"), 0xC0C0C0};
        block.IntroScreen.StatusBar = {true, QStringLiteral("Press Esc or click the wall to go on"),
                                       QStringLiteral("8 0 0 Arial"), 0xC0C0C0};
        runtime::TIntDispForm form(block, Program(), Text(), m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab().save(out + QStringLiteral("/intro-display.png"));
        QVERIFY(dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(TestIntDispForm)
#include "tst_tintdispform.moc"
