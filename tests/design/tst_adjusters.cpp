// Covers the three layout adjusters: what they show from their record, attaching the handle to
// their parts, the pop-up menu, "Save changes?" on every other close, and what a save stores.
#include "authoring/thypentryform.h"
#include "design/adjustgeometry.h"
#include "design/thyptextadjform.h"
#include "design/tmenuadjustform.h"
#include "design/tvpadjustform.h"
#include "platform/f1filter.h"
#include "platform/rtf/rtfwriter.h"
#include "runtime/backgroundview.h"
#include "runtime/menulayout.h"
#include "shell/appstate.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/currentfolder.h"
#include "support/richlines.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

using namespace design;

namespace {

storage::MenuScreenDesign MenuWithAuthor()
{
    storage::MenuScreenDesign menu;
    menu.UseAuthorBox = true;
    menu.Author.Lines[0] = QStringLiteral("Ann Author");
    menu.Author.Lines[2] = QStringLiteral("Room 12");
    menu.Author.Top = 10;
    menu.Author.Left = 20;
    menu.Author.Width = 150;
    menu.Author.Height = 90;
    menu.Author.Carried1 = 0;
    menu.Window.RLTop = 0;
    return menu;
}

} // namespace

class TestAdjusters : public QObject
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

    // --- geometry --------------------------------------------------------------------------------

    void textMockup_roundTripsUnchanged_data()
    {
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("origin 80,60") << QPoint(80, 60);
        QTest::newRow("no origin") << QPoint(0, 0);
        QTest::newRow("negative origin") << QPoint(-40, -30);
    }
    void textMockup_roundTripsUnchanged()
    {
        QFETCH(QPoint, origin);
        storage::TopicDisplayRecord record;
        record.TextLeft = 120;
        record.TextTop = 80;
        record.TextWidth = 400;
        record.TextHeight = 200;
        const QRect mockup = TextMockupRect(origin, record);
        QCOMPARE(mockup, QRect(origin.x() + 120, origin.y() + 80, 400, 216));
        storage::TopicDisplayRecord stored = record;
        StoreTextMockup(stored, origin, mockup);
        QCOMPARE(stored, record);
    }

    void textAdjusterSize_coversMainWindowAreaWithinScreen()
    {
        QCOMPARE(TextAdjusterSize(QPoint(80, 60), QSize(1920, 1080)), QSize(800, 600));
        QCOMPARE(TextAdjusterSize(QPoint(0, 0), QSize(1920, 1080)), QSize(640, 480));
        QCOMPARE(TextAdjusterSize(QPoint(-50, -50), QSize(1920, 1080)), QSize(640, 480));
        QCOMPARE(TextAdjusterSize(QPoint(2000000, 2000000), QSize(1920, 1080)), QSize(1920, 1080));
        QCOMPARE(TextAdjusterSize(QPoint(100, 100), QSize(320, 200)), QSize(640, 480));
    }

    void safeRect_boundsHostileValues()
    {
        QCOMPARE(SafeRect(-2000000000, 2000000000, -5, 2000000000), QRect(-8192, 8192, 0, 8192));
    }

    void lastAuthorLine_countsToLastFilled()
    {
        storage::AuthorBox box;
        QCOMPARE(runtime::AuthorLineCount(box), 0);
        box.Lines[0] = QStringLiteral("a");
        box.Lines[2] = QStringLiteral("c");
        QCOMPARE(runtime::AuthorLineCount(box), 3);
    }

    void barHeight_isTwiceThePointSize()
    {
        QCOMPARE(BarHeight(QStringLiteral("16 0 1 Times New Roman")), 32);
        QCOMPARE(BarHeight(QStringLiteral("99999999 0 0 Arial")), 480);
    }

    // --- menu layout adjuster ------------------------------------------------------------------

    void menu_showsScreenAsDesigned()
    {
        storage::MenuScreenDesign menu = MenuWithAuthor();
        menu.TitleBar.Used = true;
        menu.TitleBar.Text = QStringLiteral("Rocks and Minerals");
        menu.Window.BackgroundColor = 0x00FF00;
        TMenuAdjustForm form(menu, dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press Mouse Right Button for Menu"));
        QCOMPARE(platform::F1Filter::HelpContextOf(&form), 320);
        QCOMPARE(form.size(), QSize(640, 480));
        auto* title = Child<QLabel>(form, "TitlePnl");
        QVERIFY(title->isVisible());
        QCOMPARE(title->text(), QStringLiteral("Rocks and Minerals"));
        QCOMPARE(title->height(), 32);
        QVERIFY(!Child<QLabel>(form, "StatusPnl")->isVisible());
        QCOMPARE(Child<QMenuBar>(form, "MainMenu1")->actions().value(0)->text(), QStringLiteral("&Quit"));
        QCOMPARE(Child<runtime::BackgroundView>(form, "MainPnl")->color(), QColor(0, 255, 0));
        auto* list = Child<QFrame>(form, "Panel1");
        QCOMPARE(list->geometry(), QRect(200, 100, 255, 200));
        QCOMPARE(list->toolTip(), QStringLiteral(" Press Mouse right button for Menu"));
        auto* command = Child<QFrame>(form, "CommandPnl");
        QCOMPARE(command->width(), 216);
        QCOMPARE(command->x(), 255 / 2 - 216 / 2);
        QCOMPARE(Child<QPushButton>(form, "FindBtn")->text(), QStringLiteral("&Find"));
        QCOMPARE(Child<QPushButton>(form, "OKBtn")->text(), QStringLiteral("&OK"));
        QCOMPARE(Child<QPushButton>(form, "CloseBtn")->text(), QStringLiteral("&Close"));
        QCOMPARE(Child<QFrame>(form, "AuthorPnl")->geometry(), QRect(20, 10, 150, 90));
    }

    void menu_authorLines1And3_showThreeLabelsSecondEmpty()
    {
        TMenuAdjustForm form(MenuWithAuthor(), dir());
        form.show();
        QVERIFY(Child<QFrame>(form, "AuthorPnl")->isVisible());
        QVERIFY(Child<QLabel>(form, "Label1")->isVisible());
        QVERIFY(Child<QLabel>(form, "Label2")->isVisible());
        QCOMPARE(Child<QLabel>(form, "Label2")->text(), QString());
        QVERIFY(Child<QLabel>(form, "Label3")->isVisible());
        QCOMPARE(Child<QLabel>(form, "Label3")->text(), QStringLiteral("Room 12"));
        const int row = std::max(16, Child<QLabel>(form, "Label3")->fontMetrics().height());
        QCOMPARE(Child<QLabel>(form, "Label3")->geometry(), QRect(4, 1 + 2 * row, 142, row));
        QVERIFY(!Child<QLabel>(form, "Label4")->isVisible());
        QVERIFY(!Child<QLabel>(form, "Label6")->isVisible());
    }

    void menu_authorBoxOff_isHiddenAndNotStored()
    {
        storage::MenuScreenDesign menu = MenuWithAuthor();
        menu.UseAuthorBox = false;
        TMenuAdjustForm form(menu, dir());
        form.show();
        QVERIFY(!Child<QFrame>(form, "AuthorPnl")->isVisible());
        Child<QAction>(form, "PUSave")->trigger();
        QCOMPARE(form.menu().Author, menu.Author);
        QCOMPARE(form.menu().Window.RLTop, 1);
    }

    void menu_clicksAttachTheRightPart()
    {
        TMenuAdjustForm form(MenuWithAuthor(), dir());
        form.show();
        PressOn(Child<QLabel>(form, "Label1"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{Child<QFrame>(form, "AuthorPnl")});
        PressOn(Child<QPushButton>(form, "FindBtn"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{Child<QFrame>(form, "Panel1")});
        PressOn(Child<QFrame>(form, "AuthorPnl"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{Child<QFrame>(form, "AuthorPnl")});
        PressOn(Child<QPushButton>(form, "OKBtn"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{Child<QFrame>(form, "Panel1")});
        QCOMPARE(form.handle()->geometry(), QRect(198, 98, 260, 205));
    }

    void menu_save_storesPlacesOfListAndAuthorBox()
    {
        TMenuAdjustForm form(MenuWithAuthor(), dir());
        form.show();
        PressOn(Child<QFrame>(form, "Panel1"));
        form.handle()->SetBounds(8, 18, 305, 155); // list window 10, 20, 300, 150
        PressOn(Child<QFrame>(form, "AuthorPnl"));
        QTest::keyClick(form.handle(), Qt::Key_Down);
        QTest::keyClick(form.handle(), Qt::Key_Left);
        Child<QAction>(form, "PUSave")->trigger();
        QVERIFY(m_folder->dialogs.questions.isEmpty());
        const storage::MenuScreenDesign& saved = form.menu();
        QCOMPARE(saved.Window.TextLeft, 10);
        QCOMPARE(saved.Window.TextTop, 20);
        QCOMPARE(saved.Window.TextWidth, 300);
        QCOMPARE(saved.Window.TextHeight, 150);
        QCOMPARE(saved.Window.RLTop, 1);
        QCOMPARE(saved.Author.Top, qint16(11));
        QCOMPARE(saved.Author.Left, qint16(19));
        QCOMPARE(saved.Author.Width, qint16(150));
        QCOMPARE(saved.Author.Height, qint16(90));
        QCOMPARE(saved.Author.Carried1, 1);
        QCOMPARE(saved.Author.Carried2, 1);
    }

    void menu_pressAndDragAtOnce_throughTheWindow()
    {
        // A press on the list window attaches the handle, which takes the mouse, so the same press
        // drags it: events go through the window as the platform delivers them.
        TMenuAdjustForm form(storage::MenuScreenDesign{}, dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWindow* window = form.windowHandle();
        auto* list = Child<QFrame>(form, "Panel1");
        const QPoint start = list->mapTo(&form, QPoint(100, 10));
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{list});
        QTest::mouseMove(window, start + QPoint(5, 5));
        QTest::mouseMove(window, start + QPoint(30, 20));
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(30, 20));
        // The drag started at the first move: (25, 15) from there, less the frame's 2.
        QCOMPARE(list->pos(), QPoint(200 + 23, 100 + 13));
    }

    void menu_narrowListWindow_snapsBackTo220()
    {
        TMenuAdjustForm form(storage::MenuScreenDesign{}, dir());
        form.show();
        PressOn(Child<QFrame>(form, "Panel1"));
        const QRect frame = form.handle()->geometry();
        form.handle()->SetBounds(frame.x(), frame.y(), 100, frame.height());
        QCOMPARE(Child<QFrame>(form, "Panel1")->width(), 220);
        QCOMPARE(Child<QFrame>(form, "CommandPnl")->x(), 2);
        QCOMPARE(form.handle()->geometry(), Child<QFrame>(form, "Panel1")->geometry().adjusted(-2, -2, 3, 3));
    }

    void menu_authorRowsFollowTheBoxAndItsFont()
    {
        storage::MenuScreenDesign menu = MenuWithAuthor();
        menu.Author.Font = QStringLiteral("28 0 1 Times New Roman");
        TMenuAdjustForm form(menu, dir());
        form.show();
        auto* author = Child<QFrame>(form, "AuthorPnl");
        PressOn(author);
        const QRect frame = form.handle()->geometry();
        form.handle()->SetBounds(frame.x(), frame.y(), frame.width() + 200, frame.height() + 100);
        QCOMPARE(author->width(), 350);
        auto* third = Child<QLabel>(form, "Label3");
        const int row = third->fontMetrics().height();
        QVERIFY(row > 16);
        // The rows span the box, inside its frame, each as high as a line of the box's font.
        QCOMPARE(third->geometry(), QRect(author->frameWidth() + 3, author->frameWidth() + 2 * row,
                                          350 - 2 * (author->frameWidth() + 3), row));
    }

    void menu_closeButton_asksAndYesSaves()
    {
        storage::MenuScreenDesign menu;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<TMenuAdjustForm*>(modal);
            QVERIFY(form);
            PressOn(Child<QFrame>(*modal, "Panel1"));
            QTest::keyClick(form->handle(), Qt::Key_Right);
            QTest::mouseClick(Child<QPushButton>(*modal, "CloseBtn"), Qt::LeftButton);
        });
        m_folder->dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(AdjustMenuLayout(menu, nullptr));
        QCOMPARE(m_folder->dialogs.questions, QStringList{QStringLiteral("Save changes?")});
        QCOMPARE(menu.Window.TextLeft, 201);
    }

    void menu_quitAnsweredNo_leavesRecord()
    {
        storage::MenuScreenDesign menu;
        const storage::MenuScreenDesign before = menu;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<TMenuAdjustForm*>(modal);
            PressOn(Child<QFrame>(*modal, "Panel1"));
            QTest::keyClick(form->handle(), Qt::Key_Right);
            Child<QAction>(*modal, "PUQuit")->trigger();
        });
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(!AdjustMenuLayout(menu, nullptr));
        QCOMPARE(m_folder->dialogs.questions.size(), 1);
        QCOMPARE(menu, before);
    }

    void menu_escapeDoesNotClose()
    {
        TMenuAdjustForm form(storage::MenuScreenDesign{}, dir());
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        QVERIFY(m_folder->dialogs.questions.isEmpty());
    }

    void menu_missingBackground_isReportedAndUsable()
    {
        storage::MenuScreenDesign menu;
        menu.Window.BackgroundKind = 3;
        menu.Window.BackgroundTile = QStringLiteral("GONE.BMP");
        menu.Window.BackgroundColor = 0x0000FF;
        TMenuAdjustForm form(menu, dir());
        QCOMPARE(m_folder->dialogs.errors, QStringList{QStringLiteral("The Wallpaper file GONE.BMP was not found")});
        QCOMPARE(Child<runtime::BackgroundView>(form, "MainPnl")->color(), QColor(255, 0, 0));
    }

    void popup_items()
    {
        TMenuAdjustForm menu(storage::MenuScreenDesign{}, dir());
        TVPAdjustForm page(storage::TopicDisplayRecord{}, {}, dir());
        QCOMPARE(Child<QAction>(menu, "PUHelp")->text(), QStringLiteral("&Help"));
        QCOMPARE(Child<QAction>(page, "PUHelp")->text(), QStringLiteral("Help"));
        QCOMPARE(Child<QAction>(page, "PUSave")->text(), QStringLiteral("&Save and Quit"));
        QCOMPARE(Child<QAction>(page, "PUQuit")->text(), QStringLiteral("&Quit"));
        QCOMPARE(page.popupMenu()->actions().size(), 5); // two separators
        Child<QAction>(menu, "PUHelp")->trigger();
        QCOMPARE(m_folder->dialogs.helpShown, QList<int>{485});
    }

    void rightClick_opensPopup()
    {
        TVPAdjustForm form(storage::TopicDisplayRecord{}, {}, dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        PressOn(Child<runtime::BackgroundView>(form, "ScreenPnl"), Qt::RightButton);
        QTRY_VERIFY(form.popupMenu()->isVisible());
        form.popupMenu()->close();
    }

    // --- text page window adjuster ---------------------------------------------------------------

    void textPage_showsMockupAtDesignOrigin()
    {
        storage::TopicDisplayRecord record;
        record.TextWindowColor = 0x00FFFF;
        THypTextAdjForm form(record, RtfLinesOf(QStringLiteral("Lava flows")), QPoint(80, 60));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press Mouse right button for Menu"));
        QCOMPARE(platform::F1Filter::HelpContextOf(&form), 485);
        auto* mockup = Child<QFrame>(form, "Panel1");
        QVERIFY(mockup->isVisible());
        QCOMPARE(mockup->geometry(), QRect(200, 140, 400, 216));
        QCOMPARE(mockup->toolTip(), QStringLiteral("Press Mouse right button for menu"));
        QCOMPARE(Child<QFrame>(form, "Panel2")->height(), 20);
        QCOMPARE(Child<QFrame>(form, "Panel4")->height(), 26);
        auto* close = Child<QPushButton>(form, "BitBtn1");
        QCOMPARE(close->text(), QStringLiteral("&Close"));
        QCOMPARE(close->x(), 400 / 2 - 75 / 2);
        auto* text = Child<QTextEdit>(form, "RichEdit1");
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->toPlainText(), QStringLiteral("Lava flows"));
        QCOMPARE(text->palette().color(QPalette::Base), QColor(255, 255, 0));
    }

    void textPage_saveWithoutMove_keepsRecord()
    {
        storage::TopicDisplayRecord record;
        record.TextLeft = 33;
        record.TextTop = 44;
        record.TextWidth = 321;
        record.TextHeight = 123;
        record.BackgroundTile = QStringLiteral("KEEP.BMP");
        const storage::TopicDisplayRecord before = record;
        ModalDriver driver([](QWidget* modal) { Child<QAction>(*modal, "PUSave")->trigger(); });
        QVERIFY(AdjustTextPageWindow(record, {}, QPoint(80, 60), nullptr));
        QCOMPARE(record, before);
    }

    void textPage_dragAndSave_storesNewPlace()
    {
        THypTextAdjForm form(storage::TopicDisplayRecord{}, {}, QPoint(80, 60));
        form.show();
        PressOn(Child<QFrame>(form, "Panel2"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{Child<QFrame>(form, "Panel1")});
        form.handle()->SetBounds(98, 98, 305, 255); // mock-up 100, 100, 300, 250
        Child<QAction>(form, "PUSave")->trigger();
        QCOMPARE(form.record().TextLeft, 20);
        QCOMPARE(form.record().TextTop, 40);
        QCOMPARE(form.record().TextWidth, 300);
        QCOMPARE(form.record().TextHeight, 234);
    }

    void textPage_pressesAttach()
    {
        THypTextAdjForm form(storage::TopicDisplayRecord{}, RtfLinesOf(QStringLiteral("x")), QPoint(0, 0));
        form.show();
        auto* mockup = Child<QFrame>(form, "Panel1");
        PressOn(&form, Qt::LeftButton, QPoint(2, 2)); // the free area
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{mockup});
        form.handle()->Detach();
        PressOn(Child<QTextEdit>(form, "RichEdit1")->viewport());
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{mockup});
        form.handle()->Detach();
        PressOn(Child<QFrame>(form, "Panel4"));
        QCOMPARE(form.handle()->attached(), QList<QWidget*>{mockup});
    }

    void textPage_neverNarrowerThanButton()
    {
        THypTextAdjForm form(storage::TopicDisplayRecord{}, {}, QPoint(0, 0));
        form.show();
        PressOn(Child<QFrame>(form, "Panel2"));
        const QRect frame = form.handle()->geometry();
        form.handle()->SetBounds(frame.x(), frame.y(), 20, frame.height());
        QCOMPARE(Child<QFrame>(form, "Panel1")->width(), 79);
        QCOMPARE(Child<QPushButton>(form, "BitBtn1")->x(), 2);
    }

    void textPage_escapeAsks_noKeepsRecord()
    {
        storage::TopicDisplayRecord record;
        const storage::TopicDisplayRecord before = record;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<THypTextAdjForm*>(modal);
            PressOn(Child<QFrame>(*modal, "Panel2"));
            QTest::keyClick(form->handle(), Qt::Key_Up);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(!AdjustTextPageWindow(record, {}, QPoint(0, 0), nullptr));
        QCOMPARE(m_folder->dialogs.questions, QStringList{QStringLiteral("Save changes?")});
        QCOMPARE(record, before);
    }

    void textPage_closeButtonYes_saves()
    {
        storage::TopicDisplayRecord record;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<THypTextAdjForm*>(modal);
            PressOn(Child<QFrame>(*modal, "Panel2"));
            QTest::keyClick(form->handle(), Qt::Key_Up);
            QTest::mouseClick(Child<QPushButton>(*modal, "BitBtn1"), Qt::LeftButton);
        });
        m_folder->dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(AdjustTextPageWindow(record, {}, QPoint(0, 0), nullptr));
        QCOMPARE(record.TextTop, 79);
    }

    // --- designed page window adjuster ---------------------------------------------------------

    void designedPage_showsTextWindowAtItsPlace()
    {
        storage::TopicDisplayRecord record;
        record.FullScreen = true;
        record.BackgroundColor = 0x00FF00;
        record.TextWindowColor = 0xFFFF00;
        TVPAdjustForm form(record, RtfLinesOf(QStringLiteral("Basalt")), dir());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(640, 480));
        QCOMPARE(form.windowTitle(), QStringLiteral("Press Mouse right button for Menu"));
        auto* text = Child<QFrame>(form, "TextPnl");
        QVERIFY(text->isVisible());
        QCOMPARE(text->geometry(), QRect(120, 80, 400, 200)); // not the whole screen
        QCOMPARE(text->toolTip(), QStringLiteral("Mouse Right Button for Menu"));
        QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->toPlainText(), QStringLiteral("Basalt"));
        QCOMPARE(Child<QTextEdit>(form, "RichEdit1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(Child<runtime::BackgroundView>(form, "ScreenPnl")->color(), QColor(0, 255, 0));
        QVERIFY(!form.record().FullScreen);
    }

    void designedPage_saveTurnsFullScreenOff()
    {
        storage::TopicDisplayRecord record;
        record.FullScreen = true;
        ModalDriver driver([](QWidget* modal) {
            auto* form = qobject_cast<TVPAdjustForm*>(modal);
            PressOn(Child<QTextEdit>(*modal, "RichEdit1")->viewport());
            QCOMPARE(form->handle()->attached(), QList<QWidget*>{Child<QFrame>(*modal, "TextPnl")});
            form->handle()->SetBounds(8, 8, 105, 105);
            Child<QAction>(*modal, "PUSave")->trigger();
        });
        QVERIFY(AdjustDesignedPageWindow(record, {}, dir(), nullptr));
        QVERIFY(!record.FullScreen);
        QCOMPARE(record.TextLeft, 10);
        QCOMPARE(record.TextTop, 10);
        QCOMPARE(record.TextWidth, 100);
        QCOMPARE(record.TextHeight, 100);
    }

    void designedPage_jpgWallpaper_reportedAndFaceColour()
    {
        storage::TopicDisplayRecord record;
        record.BackgroundKind = 3;
        record.BackgroundColor = 0x0000FF;
        record.BackgroundTile = QStringLiteral("OLD.JPG");
        TVPAdjustForm form(record, {}, dir());
        QCOMPARE(m_folder->dialogs.errors.size(), 1);
        QVERIFY(m_folder->dialogs.errors[0].startsWith(QStringLiteral("Wallpaper must be a .BMP file.")));
        QVERIFY(Child<runtime::BackgroundView>(form, "ScreenPnl")->color() != QColor(255, 0, 0));
    }

    void designedPage_escapeAsks()
    {
        storage::TopicDisplayRecord record;
        ModalDriver driver([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        m_folder->dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(!AdjustDesignedPageWindow(record, {}, dir(), nullptr));
        QCOMPARE(m_folder->dialogs.questions, QStringList{QStringLiteral("Save changes?")});
    }

    // --- records from a stranger ------------------------------------------------------------------

    void hostileRecords_areClampedNotObeyed()
    {
        storage::MenuScreenDesign menu = MenuWithAuthor();
        menu.Window.TextLeft = -2000000000;
        menu.Window.TextWidth = 2000000000;
        menu.Window.TextHeight = -5;
        menu.Author.Height = -300;
        menu.Author.Width = 32767;
        menu.TitleBar.Used = true;
        menu.TitleBar.Font = QStringLiteral("2147483647 99999999999 -1");
        TMenuAdjustForm form(menu, dir());
        form.show();
        QCOMPARE(Child<QFrame>(form, "Panel1")->geometry(), QRect(-8192, 100, 8192, 0));
        QCOMPARE(Child<QFrame>(form, "AuthorPnl")->size(), QSize(8192, 0));
        QVERIFY(Child<QLabel>(form, "TitlePnl")->height() <= 480);

        storage::TopicDisplayRecord record;
        record.TextLeft = 2000000000;
        record.TextTop = -2000000000;
        record.TextHeight = 2000000000;
        TVPAdjustForm page(record, {QStringLiteral("{\\rtf1 {{{{ \\bin999999999")}, dir());
        page.show();
        QCOMPARE(Child<QFrame>(page, "TextPnl")->geometry(), QRect(8192, -8192, 400, 8192));
        THypTextAdjForm text(record, {}, QPoint(-2000000, 2000000));
        text.show();
        QVERIFY(Child<QFrame>(text, "Panel1")->isVisible());
        QVERIFY(text.width() <= 8192 && text.height() <= 8192);
    }

    // --- the page editor opens the text page adjuster ---------------------------------------------

    void pageEditor_mode1_opensTextAdjusterAtStateOrigin()
    {
        shell::AppState state;
        state.WorkingDirectory = dir();
        state.DesignOrigin = QPoint(10, 20);
        storage::TopicDisplayRecord record;
        authoring::THypEntryForm editor(record, RtfLinesOf(QStringLiteral("Ash")), 1, nullptr, {}, &state);
        QRect seen;
        QString text;
        ModalDriver driver([&](QWidget* modal) {
            auto* form = qobject_cast<THypTextAdjForm*>(modal);
            QVERIFY(form);
            seen = Child<QFrame>(*modal, "Panel1")->geometry();
            text = Child<QTextEdit>(*modal, "RichEdit1")->toPlainText();
            PressOn(Child<QFrame>(*modal, "Panel2"));
            QTest::keyClick(form->handle(), Qt::Key_Right);
            Child<QAction>(*modal, "PUSave")->trigger();
        });
        QTest::mouseClick(Child<QPushButton>(editor, "AdjustBtn"), Qt::LeftButton);
        QVERIFY(driver.opened);
        QCOMPARE(seen, QRect(130, 100, 400, 216));
        QCOMPARE(text, QStringLiteral("Ash"));
        QCOMPARE(editor.record().TextLeft, 121);
    }

    void screenshot_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        QImage tile(32, 32, QImage::Format_RGB32);
        tile.fill(QColor(70, 100, 150));
        for (int i = 0; i < 32; ++i)
            tile.setPixelColor(i, i, QColor(200, 210, 230));
        QVERIFY(tile.save(QDir(dir()).filePath(QStringLiteral("WEAVE.BMP")), "BMP"));

        storage::MenuScreenDesign menu = MenuWithAuthor();
        menu.TitleBar.Used = true;
        menu.TitleBar.Text = QStringLiteral("Rocks and Minerals");
        menu.StatusBar.Used = true;
        menu.StatusBar.Text = QStringLiteral("Choose a Topic");
        menu.Window.BackgroundKind = 3;
        menu.Window.BackgroundTile = QStringLiteral("WEAVE.BMP");
        TMenuAdjustForm menuForm(menu, dir());
        storage::TopicDisplayRecord record;
        record.TextWindowColor = 0xE0FFFF;
        const QStringList text =
            RtfLinesOf(QStringLiteral("Volcanoes\nMolten rock rises from deep inside the earth."));
        THypTextAdjForm textForm(record, text, QPoint(80, 60));
        record.BackgroundKind = 3;
        record.BackgroundTile = QStringLiteral("WEAVE.BMP");
        record.FullScreen = false;
        TVPAdjustForm pageForm(record, text, dir());
        const QList<QPair<AdjusterForm*, QString>> forms{{&menuForm, QStringLiteral("tmenuadjustform.png")},
                                                         {&textForm, QStringLiteral("thyptextadjform.png")},
                                                         {&pageForm, QStringLiteral("tvpadjustform.png")}};
        for (const auto& [form, name] : forms) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            const QString part = form == &pageForm ? QStringLiteral("TextPnl") : QStringLiteral("Panel1");
            PressOn(form->findChild<QWidget*>(part), Qt::LeftButton, QPoint(30, 10));
            QTest::qWait(50);
            QVERIFY(form->grab().save(QDir(out).filePath(name)));
        }
        // The outline during a drag of the author box's bottom-right square.
        auto* author = Child<QFrame>(menuForm, "AuthorPnl");
        QWindow* window = menuForm.windowHandle();
        PressOn(author);
        const QPoint corner = author->mapTo(&menuForm, QPoint(author->width() + 1, author->height() + 1));
        QTest::mousePress(window, Qt::LeftButton, {}, corner);
        QTest::mouseMove(window, corner + QPoint(5, 5));
        QTest::mouseMove(window, corner + QPoint(60, 40));
        QTest::qWait(50);
        QVERIFY(menuForm.grab().save(QDir(out).filePath(QStringLiteral("tmenuadjustform_drag.png"))));
        QTest::mouseRelease(window, Qt::LeftButton, {}, corner + QPoint(60, 40));
    }
};

QTEST_MAIN(TestAdjusters)
#include "tst_adjusters.moc"
