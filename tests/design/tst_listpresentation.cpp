// The List Presentation dialog and the Topic menu screen dialogs: switches, nested copies that
// last only through every confirmation, bar texts, the author box and its limits.
#include "design/tauthorform.h"
#include "design/tmenudesignform.h"
#include "design/tstudycustomform.h"
#include "design/ttoctitleform.h"
#include "shell/utilities.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace design;

namespace {

// Moves both windows the way the layout adjuster would.
MenuDesigners MovingAdjuster(int* calls = nullptr)
{
    MenuDesigners designers;
    designers.adjustLayout = [calls](storage::MenuScreenDesign& menu, QWidget*) {
        menu.Author.Left = 321;
        menu.Window.TextTop = 77;
        if (calls)
            ++*calls;
        return true;
    };
    return designers;
}

void Click(QWidget& dialog, const char* name)
{
    Child<QPushButton>(dialog, name)->click();
}

} // namespace

class TestListPresentation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listDialog_cancelAfterNestedSave_changesNothing()
    {
        storage::SettingsRecord record;
        const storage::SettingsRecord before = record;
        bool flag = true;
        ModalDriver driver([](QWidget* list) {
            ModalDriver menu([](QWidget* dialog) {
                Child<QCheckBox>(*dialog, "TitleChkBx")->click();
                Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("&Leave"));
                Click(*dialog, "OKBitBtn");
            });
            Click(*list, "BackgroundBtn");
            QVERIFY(menu.opened);
            Child<QCheckBox>(*list, "AlphaChkBx")->click();
            Click(*list, "CancelBitBtn");
        });
        QVERIFY(!DesignListPresentation(record, flag, {}));
        QCOMPARE(record, before);
        QVERIFY(flag);
    }

    void listDialog_saveCarriesNestedChanges()
    {
        storage::SettingsRecord record;
        bool flag = true;
        ModalDriver driver([](QWidget* list) {
            ModalDriver menu([](QWidget* dialog) {
                Child<QCheckBox>(*dialog, "TitleChkBx")->click();
                Click(*dialog, "OKBitBtn");
            });
            Click(*list, "BackgroundBtn");
            Click(*list, "OKBitBtn");
        });
        QVERIFY(DesignListPresentation(record, flag, {}));
        QVERIFY(record.MenuScreen.TitleBar.Used);
    }

    void menuScreenOff_disablesDesign_keepsTheDesign_andSetsTheFlag()
    {
        storage::SettingsRecord record;
        record.MenuScreen.TitleBar.Used = true;
        record.MenuScreen.TitleBar.Text = QStringLiteral("Quakes");
        bool flag = true;
        ModalDriver driver([](QWidget* list) {
            QCOMPARE(list->property("helpContext").toInt(), 205);
            QCOMPARE(Child<QWidget>(*list, "CancelBitBtn")->property("helpContext").toInt(), 210);
            Child<QCheckBox>(*list, "BackChkBx")->click();
            QVERIFY(!Child<QPushButton>(*list, "BackgroundBtn")->isEnabled());
            Child<QCheckBox>(*list, "AlphaChkBx")->click();
            Click(*list, "OKBitBtn");
        });
        QVERIFY(DesignListPresentation(record, flag, {}));
        QVERIFY(!record.UseMenuScreen);
        QVERIFY(!flag);
        QVERIFY(record.AlphabeticalTopics);
        QCOMPARE(record.MenuScreen.TitleBar.Text, QStringLiteral("Quakes"));
    }

    void menuDialog_opensWithItsBoxes()
    {
        storage::MenuScreenDesign menu;
        menu.UseMenuBar = true;
        menu.StatusBar.Used = true;
        storage::PresentationBlock block;
        block.Captions.QuitCaption = QStringLiteral("&Stop");
        TMenuDesignForm form(menu, block, {}, {});
        form.show();
        QCOMPARE(form.property("helpContext").toInt(), 300);
        QVERIFY(Child<QLineEdit>(form, "Edit1")->isVisible());
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), QStringLiteral("&Stop"));
        QVERIFY(!Child<QPushButton>(form, "TitleBtn")->isEnabled());
        QVERIFY(Child<QPushButton>(form, "StatusBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(form, "AuthorBtn")->isEnabled());
        Child<QCheckBox>(form, "topmenuchkbx")->click();
        QVERIFY(!Child<QLineEdit>(form, "Edit1")->isVisible());
    }

    void menuDialog_quitCaptionStoredWithMenuBarOff_andCut()
    {
        storage::MenuScreenDesign menu;
        menu.UseMenuBar = false;
        storage::PresentationBlock block;
        ModalDriver driver([](QWidget* dialog) {
            QVERIFY(!Child<QLineEdit>(*dialog, "Edit1")->isVisible());
            Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("&Close this program"));
            Click(*dialog, "OKBitBtn");
        });
        QVERIFY(DesignMenuScreen(menu, block, {}, {}));
        QCOMPARE(block.Captions.QuitCaption, QStringLiteral("&Close this prog"));
    }

    void menuDialog_titleBarOff_keepsTheBar()
    {
        storage::MenuScreenDesign menu;
        menu.TitleBar = {true, QStringLiteral("Quakes"), QStringLiteral("20 255 1 Arial"), 0x00FF00};
        const storage::TextBar bar = menu.TitleBar;
        storage::PresentationBlock block;
        ModalDriver driver([](QWidget* dialog) {
            Child<QCheckBox>(*dialog, "TitleChkBx")->click();
            Click(*dialog, "OKBitBtn");
        });
        QVERIFY(DesignMenuScreen(menu, block, {}, {}));
        QVERIFY(!menu.TitleBar.Used);
        QCOMPARE(menu.TitleBar.Text, bar.Text);
        QCOMPARE(menu.TitleBar.Font, bar.Font);
        QCOMPARE(menu.TitleBar.Color, bar.Color);
    }

    void menuDialog_viewShowsTheWorkingCopies()
    {
        storage::MenuScreenDesign menu;
        storage::PresentationBlock block;
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Quakes");
        QString viewed;
        bool visibleMeanwhile = false;
        MenuDesigners designers;
        TMenuDesignForm* form = nullptr;
        designers.viewMenu = [&](const storage::MenuScreenDesign& shown, const storage::PresentationBlock& captions,
                                 const storage::ProgramSettings& settings, QWidget*) {
            viewed = settings.Title + QLatin1Char('|') + captions.Captions.QuitCaption + QLatin1Char('|') +
                     (shown.TitleBar.Used ? QStringLiteral("title") : QStringLiteral("none"));
            visibleMeanwhile = form->isVisible();
        };
        TMenuDesignForm dialog(menu, block, program, designers);
        form = &dialog;
        dialog.show();
        Child<QCheckBox>(dialog, "TitleChkBx")->click();
        Child<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("&Out"));
        Click(dialog, "ViewBitBtn");
        QCOMPARE(viewed, QStringLiteral("Quakes|&Out|title"));
        QVERIFY(visibleMeanwhile);
    }

    void barText_okWritesTextFontAndColour_cancelNothing()
    {
        ScriptedDialogs dialogs;
        storage::TextBar bar{true, QStringLiteral("Old"), QStringLiteral("16 0 1 Times New Roman"), 0xC0C0C0};
        QFont chosen(QStringLiteral("Liberation Sans"));
        chosen.setPointSize(24);
        chosen.setItalic(true);
        dialogs.fontAnswers.enqueue(chosen);
        dialogs.colorAnswers.enqueue(QColor(0, 0, 255));
        TTocTitleForm form(bar, BarKind::Status);
        QCOMPARE(form.property("helpContext").toInt(), 470);
        QCOMPARE(Child<QLabel>(form, "TitleLbl")->text(), QStringLiteral("StatusBar Text :"));
        QCOMPARE(Child<QLineEdit>(form, "edit1")->text(), QStringLiteral("Old"));
        Child<QLineEdit>(form, "edit1")->setText(QString(90, QLatin1Char('x')));
        Click(form, "ChangeBtn");
        Click(form, "Button1");
        const storage::TextBar result = form.bar();
        QCOMPARE(result.Text.size(), 80);
        QCOMPARE(result.Color, quint32(0xFF0000));
        const shell::FontSpec font = shell::TextToFont(result.Font);
        QCOMPARE(font.size, 24);
        QCOMPARE(font.style, int(shell::StyleItalic));
        QCOMPARE(font.name, QStringLiteral("Liberation Sans"));

        ModalDriver driver([](QWidget* dialog) {
            QCOMPARE(Child<QLabel>(*dialog, "TitleLbl")->text(), QStringLiteral("TitleBar Text : "));
            Child<QLineEdit>(*dialog, "edit1")->setText(QStringLiteral("New"));
            Click(*dialog, "CancelBtn");
        });
        EditBarText(bar, BarKind::Title);
        QCOMPARE(bar.Text, QStringLiteral("Old"));
    }

    // White text on a dark bar: the colour chosen with the font is what the reader sees.
    void fontChooserColour_reachesTheFontText()
    {
        ScriptedDialogs dialogs;
        dialogs.fontAnswers << QFont(QStringLiteral("Liberation Serif")) << QFont(QStringLiteral("Liberation Serif"));
        dialogs.fontColorAnswers << QColor(255, 255, 255) << QColor(255, 255, 0);
        TTocTitleForm form(storage::TextBar{true, QStringLiteral("Quakes"), QStringLiteral("10 0 1 Arial"), 0x800000},
                           BarKind::Title);
        Click(form, "ChangeBtn");
        QCOMPARE(shell::TextToFont(form.bar().Font).color, quint32(0xFFFFFF));
        QCOMPARE(Child<QLineEdit>(form, "edit1")->palette().color(QPalette::Text), QColor(Qt::white));

        storage::MenuScreenDesign menu;
        ModalDriver driver([](QWidget* dialog) {
            Click(*dialog, "Button2");
            Click(*dialog, "OKBtn");
        });
        QVERIFY(EditAuthorBox(menu, {}));
        QCOMPARE(shell::TextToFont(menu.Author.Font).color, quint32(0x00FFFF));
    }

    void authorBox_longLineIsCut_andFontAndColourKept()
    {
        ScriptedDialogs dialogs;
        storage::MenuScreenDesign menu;
        dialogs.colorAnswers.enqueue(QColor(255, 255, 0));
        ModalDriver driver([](QWidget* dialog) {
            QCOMPARE(dialog->property("helpContext").toInt(), 310);
            Child<QLineEdit>(*dialog, "Edit3")->setText(QString(75, QLatin1Char('a')));
            Click(*dialog, "Button3");
            Click(*dialog, "OKBtn");
        });
        QVERIFY(EditAuthorBox(menu, {}));
        QCOMPARE(menu.Author.Lines[2], QString(60, QLatin1Char('a')));
        QCOMPARE(menu.Author.Color, quint32(0x00FFFF));
    }

    void authorBox_adjustThenCancel_leavesBothWindows()
    {
        storage::MenuScreenDesign menu;
        const storage::MenuScreenDesign before = menu;
        int calls = 0;
        ModalDriver driver([](QWidget* dialog) {
            Click(*dialog, "Button1");
            Click(*dialog, "CancelBtn");
        });
        QVERIFY(!EditAuthorBox(menu, MovingAdjuster(&calls)));
        QCOMPARE(calls, 1);
        QCOMPARE(menu, before);
    }

    void authorBox_adjustThenOk_keepsThePlaces_andTheLinesTyped()
    {
        storage::MenuScreenDesign menu;
        ModalDriver driver([](QWidget* dialog) {
            Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("Ms Rivers"));
            Click(*dialog, "Button1");
            Click(*dialog, "OKBtn");
        });
        QVERIFY(EditAuthorBox(menu, MovingAdjuster()));
        QCOMPARE(menu.Author.Left, qint16(321));
        QCOMPARE(menu.Window.TextTop, 77);
        QCOMPARE(menu.Author.Lines[0], QStringLiteral("Ms Rivers"));
    }

    void authorBox_hiddenWhileAdjusting_andBackAfter()
    {
        storage::MenuScreenDesign menu;
        bool shownMeanwhile = true;
        bool shownAfter = false;
        MenuDesigners designers;
        designers.adjustLayout = [&shownMeanwhile](storage::MenuScreenDesign&, QWidget* parent) {
            shownMeanwhile = parent->isVisible();
            return true;
        };
        ModalDriver driver([&shownAfter](QWidget* dialog) {
            Click(*dialog, "Button1");
            shownAfter = dialog->isVisible();
            Click(*dialog, "OKBtn");
        });
        QVERIFY(EditAuthorBox(menu, designers));
        QVERIFY(!shownMeanwhile);
        QVERIFY(shownAfter);
    }

    void authorBox_adjustButtonKeepsTheDialogFont()
    {
        ScriptedDialogs dialogs;
        storage::MenuScreenDesign menu;
        menu.Author.Font = QStringLiteral("26 0 1 Times New Roman");
        TAuthorForm form(menu, {});
        const QFont dialogFont = Child<QPushButton>(form, "Button2")->font();
        QCOMPARE(Child<QPushButton>(form, "Button1")->font(), dialogFont);
        dialogs.fontAnswers.enqueue(QFont(QStringLiteral("Courier"), 30));
        Click(form, "Button2");
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->font().pointSize(), 30);
        QCOMPARE(Child<QPushButton>(form, "Button1")->font(), dialogFont);
    }

    void screenshots_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        storage::SettingsRecord record;
        record.MenuScreen.Author.Lines = {QStringLiteral("Ms Rivers"), QStringLiteral("Geography, Year 8"),
                                          QString(), QString(), QString(), QString()};
        TStudyCustomForm list(record, true, {});
        TMenuDesignForm menu(record.MenuScreen, record.Presentation, record.Program, {});
        TTocTitleForm bar({true, QStringLiteral("Earthquakes"), QStringLiteral("16 0 1 Times New Roman"), 0xC0C0C0},
                          BarKind::Title);
        TAuthorForm author(record.MenuScreen, {});
        const std::initializer_list<std::pair<QWidget*, const char*>> windows{
            {&list, "tstudycustomform"}, {&menu, "tmenudesignform"}, {&bar, "ttoctitleform"},
            {&author, "tauthorform"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTest::qWait(50);
            QVERIFY(window->grab().save(QDir(out).filePath(QLatin1String(name) + QStringLiteral(".png"))));
        }
    }
};

QTEST_MAIN(TestListPresentation)
#include "tst_listpresentation.moc"
