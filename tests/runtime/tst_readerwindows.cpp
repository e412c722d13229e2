// Covers what the reader does beyond the design in its windows: the search window
// (runtime/tpagesearchform) and its button in the Topic menu, Find, Print and text size in the
// page windows (runtime/pagetext PageTools), the keyboard-only flow, and the accessible names
// of every control of the reader's windows.
#include "runtime/pagesearch.h"
#include "runtime/pagetext.h"
#include "runtime/taboutbox.h"
#include "runtime/thnotesform.h"
#include "runtime/tintdispform.h"
#include "runtime/tmediaplayform.h"
#include "runtime/tshowmultform.h"
#include "runtime/tmenudisplayform.h"
#include "runtime/tpagesearchform.h"
#include "runtime/tshowhtextform.h"
#include "runtime/tstudytopicsform.h"
#include "runtime/ttxtvpdispform.h"
#include "shell/appstate.h"
#include "storage/topicsource.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/pictures.h"
#include "runtime/backgroundview.h"
#include "runtime/pagegeometry.h"
#include "support/scripteddialogs.h"

#include <QAccessible>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

// Page Topics held in memory, each page one line of RTF.
class PageSource : public storage::TopicSource
{
public:
    QStringList order;
    QHash<QString, QStringList> entries;

    void add(const QString& name, const QString& rtf, int type = 1)
    {
        order << name;
        QStringList lines{QLatin1Char('[') + name + QLatin1Char(']'), QStringLiteral("HYPER"),
                          QStringLiteral("type=") + QString::number(type)};
        for (int i = 3; i < 16; ++i)
            lines << QStringLiteral("key%1=").arg(i);
        entries.insert(name, lines << QStringLiteral("text=") << rtf);
    }
    QStringList names(const QString&) const override { return order; }
    bool entry(const QString& name, const QString&, QStringList& lines) const override
    {
        if (!entries.contains(name))
            return false;
        lines = entries.value(name);
        return true;
    }
    bool introText(QStringList&) const override { return false; }
};

void SaveShot(QWidget* widget, const QString& name)
{
    const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (!out.isEmpty())
        widget->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Every control a reader can reach (anything that takes the focus, and every button and list)
// without an accessible name or role, by object name.
QStringList Unnamed(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty() ||
            accessible->role() == QAccessible::NoRole || accessible->role() == QAccessible::Client)
            unnamed << widget->objectName() + QLatin1Char(':') + QString::fromLatin1(widget->metaObject()->className());
    }
    return unnamed;
}

// An introduction with its menu bar, title bar and a placed text window, and an about box.
storage::PresentationBlock Presentation()
{
    storage::PresentationBlock presentation;
    presentation.UseAboutBox = true;
    presentation.AboutBox.Caption = QStringLiteral("About Volcanoes");
    presentation.AboutBox.ProgramName = QStringLiteral("Volcanoes of the World");
    presentation.AboutBox.VersionText = QStringLiteral("Version 1.0");
    presentation.AboutBox.Comments = {QStringLiteral("A course on the volcanoes of the earth."), {}, {}, {}};
    presentation.IntroScreen.UseMenuBar = true;
    presentation.IntroScreen.TitleBar = {true, QStringLiteral("Welcome"), QStringLiteral("16 0 1 Times New Roman"), 0};
    presentation.IntroScreen.Window.FullScreen = false;
    return presentation;
}

QStringList LongIntro()
{
    QString rtf = QStringLiteral("{\\rtf1 ");
    for (int i = 0; i < 60; ++i)
        rtf += QStringLiteral("Line %1 of the introduction.\\par ").arg(i);
    return {rtf + QLatin1Char('}')};
}

const QString kEtna = QStringLiteral("{\\rtf1 Lava flows from the crater of Etna. More lava at night.}");

} // namespace

class TestReaderWindows : public QObject
{
    Q_OBJECT

private:
    shell::AppState m_state;
    PageSource m_source;

    storage::TopicDisplayRecord Placed() const
    {
        storage::TopicDisplayRecord record;
        record.FullScreen = false;
        record.TextLeft = 120;
        record.TextTop = 80;
        record.TextWidth = 400;
        record.TextHeight = 200;
        return record;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_source.add(QStringLiteral("Etna"), kEtna);
        m_source.add(QStringLiteral("Vesuvius"), QStringLiteral("{\\rtf1 Ash over Pompeii.}"), 5);
        m_source.add(QStringLiteral("Krakatoa"), QStringLiteral("{\\rtf1 Pumice rafts.}"));
    }

    void menu_searchButtonBesideFind_insideCommandPanel()
    {
        ScriptedDialogs dialogs;
        runtime::TMenuDisplayForm form(storage::SettingsRecord(), m_source.order, m_source, m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* find = Child<QPushButton>(form, "FindtBtn");
        auto* search = Child<QPushButton>(form, "SearchBtn");
        auto* ok = Child<QPushButton>(form, "OKBitBtn");
        QCOMPARE(search->parentWidget(), find->parentWidget());
        QVERIFY(search->x() > find->geometry().right() && search->geometry().right() < ok->x());
        QVERIFY(search->parentWidget()->rect().contains(Child<QPushButton>(form, "CancelBitBtn")->geometry()));
        QVERIFY(search->width() >= search->fontMetrics().horizontalAdvance(QStringLiteral("Search")) + 4);
    }

    void search_readsPagesInWorker_findsAndOpensWithMarks()
    {
        ScriptedDialogs dialogs;
        runtime::TopicSearch search(m_source, m_state);
        runtime::TPageSearchForm form(search);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Child<QLineEdit>(form, "WordsEdit")->setText(QStringLiteral("LAVA crater"));
        form.SearchBtnClick();
        QVERIFY(search.index().isBuilt());
        QVERIFY(!Child<QProgressBar>(form, "ProgressBar1")->isVisible());
        auto* results = Child<QListWidget>(form, "ResultList");
        QCOMPARE(results->count(), 1);
        QVERIFY(results->item(0)->text().startsWith(QStringLiteral("Etna\nLava flows from the crater")));
        SaveShot(&form, QStringLiteral("reader-search"));

        int marks = 0;
        ModalDriver page([&](QWidget* modal) {
            marks = int(Child<QTextEdit>(modal, "RichEdit1")->extraSelections().size());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::keyClick(results, Qt::Key_Return);
        QVERIFY(page.opened && !page.stuck);
        QCOMPARE(marks, 3); // "Lava", "crater", "lava"

        Child<QLineEdit>(form, "WordsEdit")->setText(QStringLiteral("geyser"));
        form.SearchBtnClick();
        QCOMPARE(results->count(), 0);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void pageFind_nextHitWrapsAndIsMarked()
    {
        ScriptedDialogs dialogs;
        runtime::TShowHTextForm form(Placed(), {kEtna}, m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
        auto* edit = Child<QLineEdit>(form, "FindEdit");
        QVERIFY(edit->hasFocus());
        QTest::keyClicks(edit, QStringLiteral("LAVA"));
        auto* text = Child<QTextEdit>(form, "RichEdit1");
        const QList<int> expected{0, 41, 0};
        for (const int at : expected) {
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(text->textCursor().selectionStart(), at);
            QCOMPARE(text->textCursor().selectedText(), at == 0 ? QStringLiteral("Lava") : QStringLiteral("lava"));
        }
        QVERIFY(form.isVisible()); // Enter in the find bar is not the window's OK
        QCOMPARE(text->extraSelections().size(), 1);
        SaveShot(&form, QStringLiteral("reader-textpage-find"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(form.isVisible() && text->hasFocus());
    }

    void pageKeys_ctrlPlusMinus_changeTextSize()
    {
        ScriptedDialogs dialogs;
        runtime::TTxtVPDispForm form(Placed(), {kEtna}, m_state);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* text = Child<QTextEdit>(form, "RichEdit1");
        const auto size = [text] {
            QTextCursor cursor(text->document());
            cursor.setPosition(2);
            return cursor.charFormat().fontPointSize();
        };
        const double designed = size() > 0 ? size() : text->document()->defaultFont().pointSizeF();
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form.tools()->zoomFactor(), 1.2);
        QVERIFY(qAbs(size() - designed * 1.2) < 0.01);
        QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(qAbs(size() - designed * 1.1) < 0.01);
        SaveShot(&form, QStringLiteral("reader-designedpage"));
    }

    void pagePrint_pdfHoldsPageText()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        runtime::TShowHTextForm form(Placed(), {kEtna}, m_state);
        form.tools()->zoom(3); // printed at the designed size all the same
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        form.tools()->printOn(printer);
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {printer.outputFileName(), QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("More lava at night.")));
    }

    void keyboardOnly_menuTopicSearch()
    {
        ScriptedDialogs dialogs;
        runtime::TMenuDisplayForm form(storage::SettingsRecord(), m_source.order, m_source, m_state);
        QStringList ran;
        form.setTopicRunner([&](const QStringList& entry) { ran << entry.value(0); });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* list = Child<QListWidget>(form, "ListBox1");
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(ran, QStringList{"Vesuvius"});

        QString words;
        ModalDriver searchWindow([&](QWidget* modal) {
            auto* edit = Child<QLineEdit>(modal, "WordsEdit");
            QTest::keyClicks(edit, QStringLiteral("pumice"));
            QTest::keyClick(edit, Qt::Key_Return);
            words = Child<QListWidget>(modal, "ResultList")->item(0)->text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(searchWindow.opened && !searchWindow.stuck);
        QVERIFY(words.startsWith(QStringLiteral("Krakatoa")));
        QVERIFY(form.isVisible());
    }

    void keyboardOnly_introAboutMediaNotes()
    {
        ScriptedDialogs dialogs;
        runtime::TIntDispForm intro(Presentation(), storage::ProgramSettings(), LongIntro(), m_state);
        intro.show();
        QVERIFY(QTest::qWaitForWindowActive(&intro));
        auto* text = Child<QTextEdit>(intro, "RichEdit1");
        QVERIFY(text->hasFocus());
        QTest::keyClick(text, Qt::Key_Down);
        QVERIFY(text->verticalScrollBar()->value() > 0);
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!intro.isVisible());

        runtime::TAboutBox about(Presentation().AboutBox, runtime::AboutMode::Designed, {});
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(about.result(), int(QDialog::Accepted));

        runtime::TMediaPlayForm player(QStringLiteral("Press the Start button"));
        player.show();
        QVERIFY(QTest::qWaitForWindowActive(&player));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("PlayBtn"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left); // wraps to the last button
        auto* previous = Child<QToolButton>(player, "PrevBtn");
        QVERIFY(previous->hasFocus());
        QSignalSpy pressed(previous, &QToolButton::clicked);
        QTest::keyClick(previous, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QTest::keyClick(previous, Qt::Key_Right);
        QVERIFY(Child<QToolButton>(player, "PlayBtn")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(Child<QToolButton>(player, "PauseBtn")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!player.isVisible());

        QTemporaryDir dir;
        runtime::THNotesForm notes;
        notes.startOn(QStringLiteral("NOTES.TXT"), dir.filePath(QStringLiteral("NOTES.TXT")));
        notes.show();
        QVERIFY(QTest::qWaitForWindowActive(&notes));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Basalt"));
        QTest::keyClick(&notes, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        dialogs.yesNoCancelAnswers.enqueue(platform::Answer::No);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X); // "E&xit"
        QTRY_VERIFY(!notes.isVisible());
        QCOMPARE(dialogs.questions, QStringList{runtime::THNotesForm::ChangedQuestion(QStringLiteral("NOTES.TXT"))});
    }

    void fitScale_keepsProportions_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("menu");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1440, 1080);
        QTest::newRow("3840 x 2160") << QSize(3840, 2160) << QSize(2880, 2160);
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QSize(1280, 960);
        QTest::newRow("smaller than the design") << QSize(600, 400) << QSize(640, 480);
    }
    void fitScale_keepsProportions()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, menu);
        QCOMPARE(runtime::ScaledSize(runtime::kDesignSize, runtime::FitScale(screen)), menu);
    }

    void scaledMenu_drawnAtScreenSize_ctrlZeroTogglesDesignSize()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        QFile picture(dir.filePath(QStringLiteral("BACK.JPG")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(EncodeImage(VolcanoPhoto(1600, 1200), "jpg"));
        picture.close();
        shell::AppState state;
        state.WorkingDirectory = dir.path() + QLatin1Char('/');
        state.ScreenFit = 2.25;
        storage::SettingsRecord record;
        record.Program.Title = QStringLiteral("Volcanoes of the World");
        record.MenuScreen.Window.BackgroundKind = 2;
        record.MenuScreen.Window.BackgroundGraphic = QStringLiteral("back.jpg");
        record.MenuScreen.TitleBar.Used = true;
        record.MenuScreen.TitleBar.Text = QStringLiteral("Volcanoes of the World");
        record.MenuScreen.Window.TextLeft = 170;
        record.MenuScreen.Window.TextTop = 90;
        record.MenuScreen.Window.TextWidth = 300;
        record.MenuScreen.Window.TextHeight = 260;
        runtime::TMenuDisplayForm form(record, m_source.order, m_source, state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(1440, 1080));
        QCOMPARE(Child<QFrame>(form, "Panel1")->geometry(), QRect(383, 203, 675, 585));
        auto* screen = Child<runtime::BackgroundView>(form, "MainPnl");
        // Decoded for the size shown (at the smallest JPEG scale that covers it), never blown up.
        const auto covers = [screen] {
            const QSize picture = screen->picture()->pixmap().size();
            return picture.width() >= screen->width() && picture.height() >= screen->height() &&
                   picture.width() < 2 * screen->width();
        };
        QVERIFY(covers());
        QVERIFY(Child<QListWidget>(form, "ListBox1")->font().pointSizeF() > QApplication::font().pointSizeF() * 2);
        SaveShot(&form, QStringLiteral("reader-menu-scaled"));

        QTest::keyClick(Child<QListWidget>(form, "ListBox1"), Qt::Key_0, Qt::ControlModifier);
        QVERIFY(state.DesignSizeOnly);
        QCOMPARE(form.size(), runtime::kDesignSize);
        QCOMPARE(Child<QFrame>(form, "Panel1")->geometry(), QRect(170, 90, 300, 260));
        QVERIFY(covers());
        QCOMPARE(screen->picture()->pixmap().width(), 800);
        QTest::keyClick(Child<QListWidget>(form, "ListBox1"), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(form.size(), QSize(1440, 1080));
        QVERIFY(dialogs.errors.isEmpty());
    }

    // Every window of the reader grows with the design: its size, its font, and what it draws.
    void scaledWindows_growWithTheDesign()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        QFile picture(dir.filePath(QStringLiteral("ETNA.JPG")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(EncodeImage(VolcanoPhoto(1600, 1200), "jpg"));
        picture.close();
        constexpr double scale = 2.25;
        shell::AppState state;
        state.ScreenFit = scale;
        const double font = QApplication::font().pointSizeF() * scale;

        runtime::TIntDispForm intro(Presentation(), storage::ProgramSettings(), LongIntro(), state);
        intro.show();
        QVERIFY(QTest::qWaitForWindowActive(&intro));
        QCOMPARE(intro.size(), QSize(1440, 1080));
        QCOMPARE(Child<QFrame>(intro, "TextPnl")->geometry(), QRect(270, 180, 900, 450));
        QCOMPARE(Child<QLabel>(intro, "TitlePnl")->height(), 72);
        SaveShot(&intro, QStringLiteral("reader-intro-scaled"));
        QTest::keyClick(&intro, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(intro.size(), runtime::kDesignSize);
        QCOMPARE(Child<QFrame>(intro, "TextPnl")->geometry(), QRect(120, 80, 400, 200));

        runtime::TAboutBox about(Presentation().AboutBox, runtime::AboutMode::Own, {}, nullptr, scale);
        QCOMPARE(Child<QFrame>(about, "Panel1")->size(), QSize(668, 362));
        QCOMPARE(Child<QLabel>(about, "ProgramIcon")->pixmap().size(), QSize(74, 74));
        QCOMPARE(Child<QLabel>(about, "Version")->font().pointSizeF(), font);
        SaveShot(&about, QStringLiteral("reader-about-scaled"));

        runtime::TShowMultForm show(runtime::PictureShow{QStringLiteral("Etna"), picture.fileName(), {}, 0, scale});
        QCOMPARE(show.size(), QSize(1440, 1080));
        // As high as the screen: no frame, and no title bar that a window manager would add.
        QVERIFY(show.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!show.windowFlags().testFlag(Qt::WindowTitleHint));
        QCOMPARE(Child<QLabel>(show, "Image1")->pixmap().size(), QSize(1440, 1080));

        runtime::TMediaPlayForm player(QStringLiteral("Press the Start button"), nullptr, scale);
        QCOMPARE(player.width(), 761);
        QCOMPARE(Child<QProgressBar>(player, "Gauge1")->geometry(), QRect(306, 36, 362, 38));
        QCOMPARE(Child<QToolButton>(player, "PlayBtn")->iconSize(), QSize(36, 36));

        runtime::THNotesForm notes(nullptr, scale);
        QCOMPARE(notes.size(), QSize(979, 675));
        QCOMPARE(notes.memo()->font().pointSizeF(), font);

        runtime::TopicSearch search(m_source, state);
        runtime::TStudyTopicsForm list(m_source.order, 0, QStringLiteral("Volcanoes"), nullptr, &search);
        QVERIFY(Child<QListWidget>(list, "ListBox1")->width() >= 675);
        QCOMPARE(Child<QListWidget>(list, "ListBox1")->font().pointSizeF(), font);
        SaveShot(&list, QStringLiteral("reader-list-scaled"));
        QVERIFY(dialogs.errors.isEmpty());
    }

    // Ctrl+0 redraws a screen shown modally at the other size; it must not end the screen.
    void ctrlZero_inModalScreen_keepsItOpen()
    {
        ScriptedDialogs dialogs;
        shell::AppState state;
        state.ScreenFit = 2.25;
        runtime::TTxtVPDispForm page(Placed(), {kEtna}, state);
        bool escaped = false;
        QSize designSize;
        ModalDriver driver([&](QWidget* modal) {
            QTest::keyClick(modal, Qt::Key_0, Qt::ControlModifier);
            QTimer::singleShot(100, modal, [&, modal] {
                designSize = modal->size();
                escaped = true;
                QTest::keyClick(modal, Qt::Key_Escape);
            });
        });
        page.exec();
        QVERIFY(driver.opened && !driver.stuck);
        QVERIFY(escaped);
        QCOMPARE(designSize, runtime::kDesignSize);
    }

    void accessibleNames_everyReaderControl()
    {
        ScriptedDialogs dialogs;
        runtime::TopicSearch search(m_source, m_state);
        runtime::TMenuDisplayForm menu(storage::SettingsRecord(), m_source.order, m_source, m_state);
        runtime::TStudyTopicsForm list(m_source.order, 0, QStringLiteral("Volcanoes"), nullptr, &search);
        runtime::TShowHTextForm textPage(Placed(), {kEtna}, m_state);
        runtime::TTxtVPDispForm designedPage(Placed(), {kEtna}, m_state);
        runtime::TPageSearchForm searchWindow(search);
        runtime::TIntDispForm intro(Presentation(), storage::ProgramSettings(), LongIntro(), m_state);
        runtime::TAboutBox about(Presentation().AboutBox, runtime::AboutMode::Designed, {});
        runtime::TShowMultForm picture(runtime::PictureShow{QStringLiteral("Etna"), {}, {}, 0});
        runtime::TMediaPlayForm player(QStringLiteral("Press the Start button"));
        runtime::THNotesForm notes;
        for (QWidget* window : std::initializer_list<QWidget*>{&menu, &list, &textPage, &designedPage, &searchWindow,
                                                               &intro, &about, &picture, &player, &notes}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(Unnamed(window), QStringList());
            window->hide();
        }
    }
};

QTEST_MAIN(TestReaderWindows)
#include "tst_readerwindows.moc"
