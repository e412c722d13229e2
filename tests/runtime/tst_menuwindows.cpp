// Covers the windows a reader picks Topics in: the Topic menu window (runtime/tmenudisplayform),
// the pop-up topic list (runtime/tstudytopicsform), the designer's menu test window
// (runtime/tmenutestform), their shared screen (runtime/menuscreenform, runtime/textbar) and the
// placement rules (runtime/menulayout).
#include "runtime/backgroundview.h"
#include "runtime/menulayout.h"
#include "runtime/pagegeometry.h"
#include "runtime/tmenudisplayform.h"
#include "runtime/tmenutestform.h"
#include "runtime/tstudytopicsform.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "storage/topicsource.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/pictures.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Topics held in memory, entries with their brackets as the store gives them. A name listed in
// `failing` throws as a damaged store would.
class MemorySource : public storage::TopicSource
{
public:
    QStringList order;
    QStringList failing;

    void add(const QString& name, int type = 1)
    {
        order << name;
        m_entries.insert(name.toUpper(),
                         {QLatin1Char('[') + name + QLatin1Char(']'), QStringLiteral("source=HYPER"),
                          QStringLiteral("type=") + QString::number(type), QStringLiteral("]")});
    }
    void remove(const QString& name) { m_entries.remove(name.toUpper()); }

    QStringList names(const QString&) const override { return order; }
    bool entry(const QString& name, const QString& kind, QStringList& lines) const override
    {
        if (failing.contains(name))
            throw shell::Error(QStringLiteral("Cannot read ") + name);
        if (kind != QStringLiteral("HYPER") || !m_entries.contains(name.toUpper()))
            return false;
        lines = m_entries.value(name.toUpper());
        return true;
    }
    bool introText(QStringList&) const override { return false; }

private:
    QHash<QString, QStringList> m_entries;
};

QAction* Action(QWidget* parent, const char* name)
{
    return Child<QAction>(parent, name);
}

// Answers the find dialog the next "&Find" opens.
std::unique_ptr<ModalDriver> AnswerFind(const QString& text, const char* button)
{
    return std::make_unique<ModalDriver>([text, button](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(text);
        QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}

void SaveShot(QWidget* widget, const QString& name)
{
    const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (!out.isEmpty())
        widget->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class TestMenuWindows : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    shell::AppState m_state;
    MemorySource m_source;

    // A menu window over the three-name source; `runs` collects the entries handed to the runner.
    std::unique_ptr<runtime::TMenuDisplayForm> menuWindow(const storage::SettingsRecord& record,
                                                          QList<QStringList>* runs = nullptr,
                                                          const QStringList& names = {})
    {
        auto form = std::make_unique<runtime::TMenuDisplayForm>(
            record, names.isEmpty() ? m_source.order : names, m_source, m_state);
        if (runs)
            form->setTopicRunner([runs](const QStringList& entry) { runs->append(entry); });
        return form;
    }

    static storage::SettingsRecord Record()
    {
        storage::SettingsRecord record;
        record.Program.Title = QStringLiteral("Volcanoes of the World");
        return record;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_state.WorkingDirectory = m_dir.path() + QLatin1Char('/');
        m_state.HelpFilePath = QStringLiteral("/program/QUORVELA.HLP");
        m_source.add(QStringLiteral("Etna"));
        m_source.add(QStringLiteral("Vesuvius"));
        m_source.add(QStringLiteral("Krakatoa"), 5);
    }

    // --- placement rules -------------------------------------------------------------------

    void authorLineCount_isLastFilledLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QStringList{"", "", "", "", "", ""} << 0;
        QTest::newRow("first and third") << QStringList{"A", "", "C", "", "", ""} << 3;
        QTest::newRow("only sixth") << QStringList{"", "", "", "", "", "F"} << 6;
        QTest::newRow("blank is text") << QStringList{" ", "", "", "", "", ""} << 1;
    }
    void authorLineCount_isLastFilledLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, count);
        storage::AuthorBox box;
        for (int i = 0; i < 6; ++i)
            box.Lines[size_t(i)] = lines.at(i);
        QCOMPARE(runtime::AuthorLineCount(box), count);
    }

    void textBarHeight_isTwiceThePointSize_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("height");
        QTest::newRow("16 points") << QStringLiteral("16 0 1 Times New Roman") << 32;
        QTest::newRow("8 points") << QStringLiteral("8 0 0 Times New Roman") << 16;
        QTest::newRow("no number") << QStringLiteral("big 0 0 Arial") << 20;
        QTest::newRow("negative") << QStringLiteral("-12 0 0 Arial") << 20;
        QTest::newRow("empty") << QString() << 20;
        QTest::newRow("huge") << QStringLiteral("99999999 0 0 Arial") << 480;
        QTest::newRow("near int max") << QStringLiteral("2000000000 0 0 Arial") << 480;
        QTest::newRow("beyond int") << QStringLiteral("99999999999 0 0 Arial") << 20;
    }
    void textBarHeight_isTwiceThePointSize()
    {
        QFETCH(QString, font);
        QFETCH(int, height);
        QCOMPARE(runtime::TextBarHeight(font), height);
    }

    void commandPanelLeft_centresInPanel()
    {
        QCOMPARE(runtime::CommandPanelLeft(255, 216), 19);
        QCOMPARE(runtime::CommandPanelLeft(216, 216), 0);
        QCOMPARE(runtime::CommandPanelLeft(100, 216), -58);
    }

    void wholeRowsHeight_dropsPartRow_data()
    {
        QTest::addColumn<int>("available");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("height");
        QTest::newRow("exact") << 102 << 20 << 1 << 102;
        QTest::newRow("part row") << 115 << 20 << 1 << 102;
        QTest::newRow("less than a row") << 10 << 20 << 1 << 22;
        QTest::newRow("no row height") << 50 << 0 << 1 << 50;
    }
    void wholeRowsHeight_dropsPartRow()
    {
        QFETCH(int, available);
        QFETCH(int, row);
        QFETCH(int, frame);
        QFETCH(int, height);
        QCOMPARE(runtime::WholeRowsHeight(available, row, frame), height);
    }

    void panelRects_hostileValues_areClamped()
    {
        storage::WindowDesign window;
        window.TextLeft = std::numeric_limits<qint32>::min();
        window.TextTop = std::numeric_limits<qint32>::max();
        window.TextWidth = -5;
        window.TextHeight = std::numeric_limits<qint32>::max();
        const QRect menu = runtime::MenuPanelRect(window);
        QCOMPARE(menu, QRect(-8192, 8192, 0, 8192));
        storage::AuthorBox box;
        box.Left = -32768;
        box.Width = 32767;
        const QRect author = runtime::AuthorPanelRect(box);
        QCOMPARE(author.left(), -8192);
        QCOMPARE(author.width(), 8192);
    }

    // --- the Topic menu window -----------------------------------------------------------

    void menu_isDesignSizeWithTitleCaption()
    {
        ScriptedDialogs dialogs;
        auto form = menuWindow(Record());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->size(), QSize(640, 480));
        QCOMPARE(form->windowTitle(), QStringLiteral("Volcanoes of the World"));
        QVERIFY(Child<QMenuBar>(form.get(), "MainMenu1")->isVisible());
        QCOMPARE(Action(form.get(), "MQuit")->text(), QStringLiteral("&Quit"));
        QVERIFY(!Child<QLabel>(form.get(), "TitlePnl")->isVisible());
        QVERIFY(!Child<QFrame>(form.get(), "AuthorPnl")->isVisible());
        QVERIFY(dialogs.errors.isEmpty());
    }

    void menu_authorLinesOneAndThree_showThreeLabels()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.UseAuthorBox = true;
        record.MenuScreen.Author.Lines[0] = QStringLiteral("Written by A. Teacher");
        record.MenuScreen.Author.Lines[2] = QStringLiteral("Room 12");
        record.MenuScreen.Author.Left = 10;
        record.MenuScreen.Author.Top = 20;
        record.MenuScreen.Author.Width = 200;
        record.MenuScreen.Author.Height = 90;
        record.MenuScreen.Author.Color = 0x00FFFF; // yellow
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        auto* panel = Child<QFrame>(form.get(), "AuthorPnl");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(10, 20, 200, 90));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(255, 255, 0));
        const QStringList texts{QStringLiteral("Written by A. Teacher"), QString(),
                                QStringLiteral("Room 12")};
        for (int i = 1; i <= 6; ++i) {
            auto* label = Child<QLabel>(form.get(), qPrintable(QStringLiteral("Label%1").arg(i)));
            QCOMPARE(label->property("tag").toInt(), i);
            QCOMPARE(label->isVisible(), i <= 3);
            if (i <= 3)
                QCOMPARE(label->text(), texts.at(i - 1));
        }
        // The rows stack from the top, the blank one keeping its place.
        QVERIFY(Child<QLabel>(form.get(), "Label3")->y() > Child<QLabel>(form.get(), "Label2")->y());
        QVERIFY(Child<QLabel>(form.get(), "Label2")->height() >= runtime::kAuthorRowHeight);
    }

    void menu_authorBoxOff_hidesPanel()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.Author.Lines[0] = QStringLiteral("Not shown");
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(!Child<QFrame>(form.get(), "AuthorPnl")->isVisible());
    }

    void menu_oneName_isSelected()
    {
        ScriptedDialogs dialogs;
        auto form = menuWindow(Record(), nullptr, {QStringLiteral("Etna")});
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->isSelected());
    }

    void menu_severalNames_firstSelectedInOrderGiven()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.AlphabeticalTopics = true; // not consulted: the order given stands
        auto form = menuWindow(record);
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("Krakatoa"));
        QCOMPARE(list->selectedItems().size(), 1);
        QVERIFY(list->item(0)->isSelected());
    }

    void menu_noHelpFile_noHelpItem()
    {
        ScriptedDialogs dialogs;
        dialogs.setHelpFile(QStringLiteral("own.hlp"));
        storage::SettingsRecord record = Record();
        record.Program.UseHelpFile = false;
        record.Program.HelpFile = QStringLiteral("LIST.HLP");
        record.Presentation.Captions.HelpCaption = QStringLiteral("&Guide");
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(!Action(form.get(), "MHelp")->isVisible());
        QCOMPARE(dialogs.helpFile(), QStringLiteral("own.hlp"));
    }

    void menu_helpFile_showsItemAndSwitchesHelp()
    {
        ScriptedDialogs dialogs;
        WriteAll(m_dir.filePath(QStringLiteral("List.hlp")), "<html></html>");
        storage::SettingsRecord record = Record();
        record.Program.UseHelpFile = true;
        record.Program.HelpFile = QStringLiteral("LIST.HLP");
        record.Program.HelpStartTopic = 42;
        record.Presentation.Captions.HelpCaption = QStringLiteral("&Guide");
        auto form = menuWindow(record);
        QAction* help = Action(form.get(), "MHelp");
        QVERIFY(help->isVisible());
        QCOMPARE(help->text(), QStringLiteral("&Guide"));
        QCOMPARE(dialogs.helpFile(), m_dir.filePath(QStringLiteral("List.hlp")));
        help->trigger();
        QCOMPARE(dialogs.helpShown, QList<int>{42});
    }

    void menu_aboutItemFollowsUseAboutBox()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.Presentation.Captions.AboutCaption = QStringLiteral("A&bout us");
        record.Presentation.AboutBox.Caption = QStringLiteral("About Volcanoes");
        auto without = menuWindow(record);
        QVERIFY(!Action(without.get(), "MAbout")->isVisible());

        record.Presentation.UseAboutBox = true;
        auto with = menuWindow(record);
        QAction* about = Action(with.get(), "MAbout");
        QVERIFY(about->isVisible());
        QCOMPARE(about->text(), QStringLiteral("A&bout us"));
        QString caption;
        ModalDriver driver([&caption](QWidget* modal) {
            caption = modal->windowTitle();
            modal->close();
        });
        about->trigger();
        QCOMPARE(caption, QStringLiteral("About Volcanoes"));
    }

    void menu_menuBarOff_hidesMenuBar()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.UseMenuBar = false;
        record.Presentation.Captions.QuitCaption = QStringLiteral("&Leave");
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(!Child<QMenuBar>(form.get(), "MainMenu1")->isVisible());
        QCOMPARE(Action(form.get(), "MQuit")->text(), QStringLiteral("&Leave"));
    }

    void menu_titleBarSize16_is32High()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.TitleBar = {true, QStringLiteral("Choose a volcano"),
                                      QStringLiteral("16 255 1 Times New Roman"), 0x00FF00};
        record.MenuScreen.StatusBar = {true, QStringLiteral("Press Enter to see it"),
                                       QStringLiteral("9 0 0 Arial"), 0xC0C0C0};
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* title = Child<QLabel>(form.get(), "TitlePnl");
        auto* status = Child<QLabel>(form.get(), "StatusPnl");
        QVERIFY(title->isVisible());
        QCOMPARE(title->height(), 32);
        QCOMPARE(title->text(), QStringLiteral("Choose a volcano"));
        QCOMPARE(title->font().pointSize(), 16);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::Window), QColor(0, 255, 0));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(status->height(), 18);
        // The bars come off the screen area, which stays below the title bar.
        auto* screen = Child<runtime::BackgroundView>(form.get(), "MainPnl");
        QCOMPARE(screen->y(), title->geometry().bottom() + 1);
        QCOMPARE(screen->geometry().bottom() + 1, status->y());
    }

    void menu_menuPanelAtStoredPlace_commandPanelCentred()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.TextLeft = 300;
        record.MenuScreen.Window.TextTop = 60;
        record.MenuScreen.Window.TextWidth = 300;
        record.MenuScreen.Window.TextHeight = 250;
        record.MenuScreen.Window.FullScreen = true; // not consulted by the menu screen
        auto form = menuWindow(record);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* panel = Child<QFrame>(form.get(), "Panel1");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(300, 60, 300, 250));
        auto* command = Child<QFrame>(form.get(), "CommandPnl");
        QCOMPARE(command->width(), 216);
        QCOMPARE(command->x(), 300 / 2 - 216 / 2);
        QVERIFY(command->geometry().bottom() < panel->height());
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        QCOMPARE(list->x(), 25);
        QCOMPARE(list->width(), 300 - 50);
        QVERIFY(list->geometry().bottom() < command->y());
        // Whole rows only.
        const int rows = list->height() - 2 * list->frameWidth();
        QCOMPARE(rows % list->sizeHintForRow(0), 0);
        QVERIFY(list->hasFocus());
        for (const char* name : {"FindtBtn", "OKBitBtn", "CancelBitBtn"}) {
            auto* button = Child<QPushButton>(form.get(), name);
            QVERIFY2(command->rect().contains(button->geometry()), name);
        }
    }

    void menu_enter_runsSelectedTopic()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        auto form = menuWindow(Record(), &runs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(runs.size(), 1);
        // The name line loses its brackets before the runner sees it.
        QCOMPARE(runs.at(0).at(0), QStringLiteral("Vesuvius"));
        QCOMPARE(form->chosenName(), QStringLiteral("Vesuvius"));
        QVERIFY(form->isVisible());
    }

    void menu_enterOnFindButton_runsTopicToo()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        auto form = menuWindow(Record(), &runs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::keyClick(Child<QPushButton>(form.get(), "FindtBtn"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.at(0).at(0), QStringLiteral("Etna"));
    }

    void menu_okAndDoubleClick_runTopic()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        auto form = menuWindow(Record(), &runs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        list->setCurrentRow(2);
        QTest::mouseClick(Child<QPushButton>(form.get(), "OKBitBtn"), Qt::LeftButton);
        const QRect row = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs.at(0).at(2), QStringLiteral("type=5"));
        QCOMPARE(runs.at(1).at(0), QStringLiteral("Vesuvius"));
    }

    void menu_escape_doesNotClose()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        auto form = menuWindow(Record(), &runs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::keyClick(Child<QListWidget>(form.get(), "ListBox1"), Qt::Key_Escape);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QVERIFY(runs.isEmpty());
    }

    void menu_quitAndClose_endTheWindow()
    {
        ScriptedDialogs dialogs;
        auto form = menuWindow(Record());
        form->show();
        Action(form.get(), "MQuit")->trigger();
        QVERIFY(!form->isVisible());
        form->show();
        QTest::mouseClick(Child<QPushButton>(form.get(), "CancelBitBtn"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    void menu_emptyList_okRunsNothing()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        MemorySource empty;
        runtime::TMenuDisplayForm form(Record(), {}, empty, m_state);
        form.setTopicRunner([&runs](const QStringList& entry) { runs.append(entry); });
        form.OKBitBtnClick();
        QVERIFY(runs.isEmpty());
        QVERIFY(form.entryLines().isEmpty());
    }

    void menu_removedEntry_runsNothing()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        MemorySource source;
        source.add(QStringLiteral("Gone"));
        source.add(QStringLiteral("Here"));
        runtime::TMenuDisplayForm form(Record(), source.order, source, m_state);
        form.setTopicRunner([&runs](const QStringList& entry) { runs.append(entry); });
        source.remove(QStringLiteral("Gone"));
        form.OKBitBtnClick();
        QVERIFY(runs.isEmpty());
        QVERIFY(dialogs.errors.isEmpty());
    }

    void menu_storeFailure_reportedAndMenuStays()
    {
        ScriptedDialogs dialogs;
        QList<QStringList> runs;
        MemorySource source;
        source.add(QStringLiteral("Broken"));
        source.failing << QStringLiteral("Broken");
        runtime::TMenuDisplayForm form(Record(), source.order, source, m_state);
        form.setTopicRunner([&runs](const QStringList& entry) { runs.append(entry); });
        form.show();
        form.OKBitBtnClick();
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Cannot read Broken")});
        QVERIFY(runs.isEmpty());
        QVERIFY(form.isVisible());
    }

    void menu_find_selectsHitAndFocusesOk()
    {
        ScriptedDialogs dialogs;
        auto form = menuWindow(Record());
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* list = Child<QListWidget>(form.get(), "ListBox1");
        {
            auto driver = AnswerFind(QStringLiteral("kRAK"), "BitBtn3");
            form->FindtBtnClick();
            QVERIFY(driver->opened);
        }
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(form->findState().lastFound, 2);
        QCOMPARE(form->focusWidget(), Child<QPushButton>(form.get(), "OKBitBtn"));
        {
            // Nothing after the last hit: the first row, and the last hit stays.
            auto driver = AnswerFind(QStringLiteral("kRAK"), "BitBtn2");
            form->FindtBtnClick();
        }
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(form->findState().lastFound, 2);
    }

    void menu_missingBackgroundGraphic_reportedWindowStillOpens()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.BackgroundKind = 2;
        record.MenuScreen.Window.BackgroundColor = 0x0000FF;
        record.MenuScreen.Window.BackgroundGraphic = QStringLiteral("LAVA.JPG");
        auto form = menuWindow(record);
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("The graphic file LAVA.JPG was not found")});
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(Child<runtime::BackgroundView>(form.get(), "MainPnl")->color(), QColor(255, 0, 0));
    }

    void menu_jpgWallpaper_reportedKeepsColour()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.BackgroundKind = 3;
        record.MenuScreen.Window.BackgroundColor = 0x00FF00;
        record.MenuScreen.Window.BackgroundTile = QStringLiteral("tile.jpg");
        auto form = menuWindow(record);
        QCOMPARE(dialogs.errors,
                 QStringList{QStringLiteral(
                     "Wallpaper must be a .BMP file.\n\r\n\rReplace tile.jpg with a .BMP Graphic.")});
        QCOMPARE(Child<runtime::BackgroundView>(form.get(), "MainPnl")->color(), QColor(0, 255, 0));
    }

    void menu_wallpaperTiles()
    {
        ScriptedDialogs dialogs;
        QImage tile(8, 8, QImage::Format_RGB32);
        tile.fill(QColor(200, 30, 30));
        QVERIFY(tile.save(m_dir.filePath(QStringLiteral("brick.bmp")), "BMP"));
        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.BackgroundKind = 3;
        record.MenuScreen.Window.BackgroundTile = QStringLiteral("BRICK.BMP");
        auto form = menuWindow(record);
        QVERIFY(dialogs.errors.isEmpty());
        QCOMPARE(Child<runtime::BackgroundView>(form.get(), "MainPnl")->layer(),
                 runtime::BackgroundLayer::Tiled);
    }

    void menu_hostileRecord_opensWithinBounds()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.TextLeft = -2000000000;
        record.MenuScreen.Window.TextWidth = 2000000000;
        record.MenuScreen.Window.TextHeight = 3;
        record.MenuScreen.TitleBar = {true, QStringLiteral("x"), QStringLiteral("2000000000 0 0 Arial"), 0};
        record.MenuScreen.UseAuthorBox = true;
        record.MenuScreen.Author.Font = QStringLiteral("-5 0 0 Arial");
        record.MenuScreen.Author.Width = -100;
        auto form = menuWindow(record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->size(), QSize(640, 480));
        QCOMPARE(Child<QLabel>(form.get(), "TitlePnl")->height(), 480);
        QCOMPARE(Child<QFrame>(form.get(), "Panel1")->width(), runtime::kMaxPageExtent);
        QCOMPARE(Child<QListWidget>(form.get(), "ListBox1")->height(), 0);
    }

    // --- the pop-up topic list -----------------------------------------------------------

    void topicList_startIndexSelected_captionIsTitle()
    {
        ModalDriver driver([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Volcanoes"));
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
            QCOMPARE(list->currentRow(), 2);
            QCOMPARE(list->selectedItems().size(), 1);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("OKBitBtn")), Qt::LeftButton);
        });
        QCOMPARE(runtime::ShowTopicList(m_source.order, 2, QStringLiteral("Volcanoes")), 2);
        QVERIFY(driver.opened);
    }

    void topicList_enterInList_choosesSelected()
    {
        ModalDriver driver([](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
            list->setCurrentRow(1);
            QTest::keyClick(list, Qt::Key_Return);
        });
        QCOMPARE(runtime::ShowTopicList(m_source.order, 0, QStringLiteral("Volcanoes")), 1);
    }

    void topicList_doubleClick_choosesRow()
    {
        ModalDriver driver([](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
            const QPoint row = list->visualItemRect(list->item(2)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        });
        QCOMPARE(runtime::ShowTopicList(m_source.order, 0, QStringLiteral("Volcanoes")), 2);
    }

    void topicList_cancelOrEscape_givesMinusOne_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancel") << false;
        QTest::newRow("escape") << true;
    }
    void topicList_cancelOrEscape_givesMinusOne()
    {
        QFETCH(bool, escape);
        ModalDriver driver([escape](QWidget* modal) {
            if (escape)
                QTest::keyClick(modal->findChild<QListWidget*>(QStringLiteral("ListBox1")), Qt::Key_Escape);
            else
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("CancelBitBtn")),
                                  Qt::LeftButton);
        });
        QCOMPARE(runtime::ShowTopicList(m_source.order, 1, QStringLiteral("Volcanoes")), -1);
        QVERIFY(driver.opened);
    }

    void topicList_oneName_selectedAtStart()
    {
        runtime::TStudyTopicsForm form({QStringLiteral("Etna")}, 0, QStringLiteral("T"));
        QVERIFY(Child<QListWidget>(&form, "ListBox1")->item(0)->isSelected());
        QCOMPARE(Child<QPushButton>(&form, "OKBitBtn")->text(), QStringLiteral("&OK"));
        QCOMPARE(Child<QPushButton>(&form, "BitBtn1")->text(), QStringLiteral("&Find"));
    }

    void topicList_startOutsideList_okGivesMinusOne()
    {
        ModalDriver driver([](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("OKBitBtn")), Qt::LeftButton);
        });
        QCOMPARE(runtime::ShowTopicList(m_source.order, 9, QStringLiteral("Volcanoes")), -1);
    }

    void topicList_find_selectsHit()
    {
        runtime::TStudyTopicsForm form(m_source.order, 0, QStringLiteral("Volcanoes"));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto driver = AnswerFind(QStringLiteral("vesu"), "BitBtn3");
        form.BitBtn1Click();
        QCOMPARE(Child<QListWidget>(&form, "ListBox1")->currentRow(), 1);
        QCOMPARE(form.findState().lastText, QStringLiteral("vesu"));
        QCOMPARE(form.focusWidget(), Child<QPushButton>(&form, "OKBitBtn"));
    }

    // --- the menu test window ------------------------------------------------------------

    void menuTest_emptyPanelInPlaceOfList()
    {
        ScriptedDialogs dialogs;
        const storage::SettingsRecord record = Record();
        runtime::TMenuTestForm form(record.MenuScreen, record.Presentation, record.Program, m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.findChild<QListWidget*>());
        auto* panel = Child<QFrame>(&form, "Panel2");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->x(), 25);
        QCOMPARE(Child<QFrame>(&form, "Panel1")->geometry(), QRect(200, 100, 255, 200));
        QCOMPARE(Child<QFrame>(&form, "CommandPnl")->x(), 255 / 2 - 108);
        QVERIFY(!Child<QLineEdit>(&form, "Edit1")->isVisible());
        QVERIFY(!Child<QLabel>(&form, "FindLbl")->isVisible());
    }

    void menuTest_findRevealsEdit()
    {
        ScriptedDialogs dialogs;
        const storage::SettingsRecord record = Record();
        runtime::TMenuTestForm form(record.MenuScreen, record.Presentation, record.Program, m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(Child<QPushButton>(&form, "FindtBtn"), Qt::LeftButton);
        auto* label = Child<QLabel>(&form, "FindLbl");
        auto* edit = Child<QLineEdit>(&form, "Edit1");
        QVERIFY(label->isVisible());
        QVERIFY(edit->isVisible());
        QCOMPARE(label->text(), QStringLiteral("Find :"));
        QVERIFY(edit->geometry().left() > label->geometry().right());
        QVERIFY(edit->geometry().right() < Child<QFrame>(&form, "Panel1")->width());
        QVERIFY(form.isVisible());
    }

    void menuTest_keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << true << int(QDialog::Rejected);
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true << int(QDialog::Accepted);
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << true
                                << int(QDialog::Rejected);
        QTest::newRow("plain Q") << int(Qt::Key_Q) << 0 << false << -1;
    }
    void menuTest_keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(int, result);
        ScriptedDialogs dialogs;
        const storage::SettingsRecord record = Record();
        runtime::TMenuTestForm form(record.MenuScreen, record.Presentation, record.Program, m_state);
        form.setResult(-1);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Keys reach the window first, wherever the focus is.
        QTest::keyClick(Child<QPushButton>(&form, "FindtBtn"), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(!form.isVisible(), closes);
        QCOMPARE(form.result(), result);
    }

    void menuTest_ctrlH_opensHelpOnlyWithHelpItem()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        runtime::TMenuTestForm plain(record.MenuScreen, record.Presentation, record.Program, m_state);
        plain.show();
        QTest::keyClick(&plain, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(dialogs.helpShown.isEmpty());

        record.Program.UseHelpFile = true;
        record.Program.HelpFile = QStringLiteral("LIST.HLP");
        record.Program.HelpStartTopic = 7;
        runtime::TMenuTestForm withHelp(record.MenuScreen, record.Presentation, record.Program, m_state);
        withHelp.show();
        QVERIFY(dialogs.helpFile().endsWith(QStringLiteral("LIST.HLP"), Qt::CaseInsensitive));
        QTest::keyClick(&withHelp, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(dialogs.helpShown, QList<int>{7});
        // Closing gives the program its own help file back.
        QTest::keyClick(&withHelp, Qt::Key_Escape);
        QCOMPARE(dialogs.helpFile(), m_state.HelpFilePath);
    }

    void menuTest_ctrlA_showsAboutOnlyWithAboutItem()
    {
        ScriptedDialogs dialogs;
        storage::SettingsRecord record = Record();
        record.Presentation.AboutBox.Caption = QStringLiteral("About Volcanoes");
        {
            runtime::TMenuTestForm form(record.MenuScreen, record.Presentation, record.Program, m_state);
            form.show();
            ModalDriver driver([](QWidget* modal) { modal->close(); });
            QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
            QTest::qWait(50);
            QVERIFY(!driver.opened);
        }
        record.Presentation.UseAboutBox = true;
        runtime::TMenuTestForm form(record.MenuScreen, record.Presentation, record.Program, m_state);
        form.show();
        QString caption;
        ModalDriver driver([&caption](QWidget* modal) {
            caption = modal->windowTitle();
            modal->close();
        });
        QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(driver.opened);
        QCOMPARE(caption, QStringLiteral("About Volcanoes"));
        QVERIFY(form.isVisible());
    }

    // --- pictures for a person to look at ------------------------------------------------

    void screenshots()
    {
        if (qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR").isEmpty())
            QSKIP("QUORVEL_SCREENSHOT_DIR not set");
        ScriptedDialogs dialogs;
        QVERIFY(VolcanoPhoto(1280, 960).save(m_dir.filePath(QStringLiteral("VOLCANO.JPG")), "JPG"));

        storage::SettingsRecord record = Record();
        record.MenuScreen.Window.BackgroundKind = 2;
        record.MenuScreen.Window.BackgroundGraphic = QStringLiteral("volcano.jpg");
        record.MenuScreen.TitleBar = {true, QStringLiteral("Volcanoes of the World"),
                                      QStringLiteral("16 8388608 1 Times New Roman"), 0xC0C0C0};
        record.MenuScreen.StatusBar = {true, QStringLiteral("Choose a Topic and press Enter"),
                                       QStringLiteral("8 0 0 Times New Roman"), 0xC0C0C0};
        record.MenuScreen.UseAuthorBox = true;
        record.MenuScreen.Author.Lines = {QStringLiteral("Written by A. Teacher"),
                                          QString(),
                                          QStringLiteral("Geography, Year 9"),
                                          QString(),
                                          QString(),
                                          QString()};
        record.Presentation.UseAboutBox = true;
        record.Program.UseHelpFile = true;
        record.Program.HelpFile = QStringLiteral("LIST.HLP");
        MemorySource source;
        for (const char* name : {"Etna", "Vesuvius", "Krakatoa", "Mount St. Helens", "Pinatubo", "Kilauea",
                                 "Mauna Loa", "Stromboli", "Hekla", "Popocatepetl", "Fuji"})
            source.add(QString::fromLatin1(name));
        runtime::TMenuDisplayForm menu(record, source.order, source, m_state);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        SaveShot(&menu, QStringLiteral("menu-display"));

        storage::SettingsRecord plain = Record();
        runtime::TMenuDisplayForm plainMenu(plain, m_source.order, m_source, m_state);
        plainMenu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plainMenu));
        SaveShot(&plainMenu, QStringLiteral("menu-display-default"));

        runtime::TMenuTestForm test(record.MenuScreen, record.Presentation, record.Program, m_state);
        test.show();
        QVERIFY(QTest::qWaitForWindowExposed(&test));
        QTest::mouseClick(Child<QPushButton>(&test, "FindtBtn"), Qt::LeftButton);
        SaveShot(&test, QStringLiteral("menu-test"));

        runtime::TStudyTopicsForm list(source.order, 2, QStringLiteral("Volcanoes of the World"));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        SaveShot(&list, QStringLiteral("topic-list"));
        QVERIFY(dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(TestMenuWindows)
#include "tst_menuwindows.moc"
