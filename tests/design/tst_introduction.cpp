// The introduction screen's design dialog: its switches, the nested caption and bar dialogs and
// the background designer, and what OK and Cancel hand back.
#include "design/tintrodesignform.h"
#include "design/tintroentryform.h"
#include "platform/rtf/rtfwriter.h"
#include "shell/appstate.h"
#include "support/scripteddialogs.h"
#include "support/child.h"
#include "support/richlines.h"
#include "support/modaldriver.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

using namespace design;

class TestIntroduction : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    shell::AppState state()
    {
        shell::AppState state;
        state.WorkingDirectory = m_dir.path() + QLatin1Char('/');
        return state;
    }

private Q_SLOTS:
    void editor_okReturnsTheText_emptiedGivesNone()
    {
        const shell::AppState appState = state();
        storage::PresentationBlock block;
        storage::ProgramSettings program;
        QStringList text = RtfLinesOf(QStringLiteral("Welcome to the volcanoes"));
        ModalDriver driver([](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("TIntroEntryForm"));
            QCOMPARE(Child<QPushButton>(*dialog, "AdjustBtn")->text(), QStringLiteral("&Design Introduction Screen"));
            QVERIFY(Child<QTextEdit>(*dialog, "RichEdit1")->toPlainText().contains(QStringLiteral("volcanoes")));
            Child<QTextEdit>(*dialog, "RichEdit1")->setPlainText(QStringLiteral("Hot rocks"));
            Child<QPushButton>(*dialog, "OKBtn")->click();
        });
        QVERIFY(EditIntroduction(block, program, text, appState, {}));
        QCOMPARE(PlainTextOf(text), QStringLiteral("Hot rocks"));

        ModalDriver clear([](QWidget* dialog) {
            Child<QPushButton>(*dialog, "Button2")->click();
            Child<QPushButton>(*dialog, "OKBtn")->click();
        });
        QVERIFY(EditIntroduction(block, program, text, appState, {}));
        QVERIFY(text.isEmpty());
    }

    void editor_cancelKeepsEverything()
    {
        const shell::AppState appState = state();
        storage::PresentationBlock block;
        storage::ProgramSettings program;
        QStringList text = RtfLinesOf(QStringLiteral("Kept"));
        const QStringList before = text;
        ModalDriver driver([](QWidget* dialog) {
            Child<QTextEdit>(*dialog, "RichEdit1")->setPlainText(QStringLiteral("Lost"));
            Child<QPushButton>(*dialog, "CancelBtn")->click();
        });
        QVERIFY(!EditIntroduction(block, program, text, appState, {}));
        QCOMPARE(text, before);
    }

    void editor_backgroundColourAndDesignGoToTheBlock()
    {
        ScriptedDialogs dialogs;
        dialogs.colorAnswers.enqueue(QColor(255, 255, 0));
        const shell::AppState appState = state();
        storage::PresentationBlock block;
        storage::ProgramSettings program;
        QStringList text = RtfLinesOf(QStringLiteral("Hello"));
        ModalDriver driver([](QWidget* dialog) {
            Child<QPushButton>(*dialog, "Button3")->click();
            ModalDriver design([](QWidget* inner) {
                QCOMPARE(inner->objectName(), QStringLiteral("TIntroDesignForm"));
                Child<QCheckBox>(*inner, "TitleBarChkBx")->click();
                Child<QPushButton>(*inner, "OKBtn")->click();
            });
            Child<QPushButton>(*dialog, "AdjustBtn")->click();
            QVERIFY(design.opened);
            Child<QPushButton>(*dialog, "OKBtn")->click();
        });
        QVERIFY(EditIntroduction(block, program, text, appState, {}));
        QCOMPARE(block.IntroScreen.Window.TextWindowColor, quint32(0x00FFFF));
        QVERIFY(block.IntroScreen.TitleBar.Used);
    }

    void editor_viewShowsTheIntroduction_andImportAsksForTextOrRtf()
    {
        ScriptedDialogs dialogs;
        const shell::AppState appState = state();
        storage::PresentationBlock block;
        storage::ProgramSettings program;
        program.Title = QStringLiteral("Volcanoes");
        TIntroEntryForm form(block, program, RtfLinesOf(QStringLiteral("Look")), appState, {});
        form.show();
        QString shown;
        ModalDriver driver([&shown](QWidget* display) {
            shown = display->objectName() + QLatin1Char('|') + display->windowTitle();
            display->close();
        });
        Child<QPushButton>(form, "ViewBtn")->click();
        QCOMPARE(shown, QStringLiteral("TIntDispForm|Volcanoes"));

        form.importFile();
        QCOMPARE(dialogs.fileRequests.size(), 1);
        QCOMPARE(dialogs.fileRequests.front().title, QStringLiteral("Select a Text or RTF File"));
        QCOMPARE(dialogs.fileRequests.front().filter,
                 QStringLiteral("RTF and Text Files|*.TXT;*.RTF|Word, OpenDocument, Web and Markdown "
                                "Documents|*.DOCX;*.ODT;*.HTM;*.HTML;*.MD"));
    }

    void screenshots_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        const shell::AppState appState = state();
        TIntroEntryForm editor({}, {}, RtfLinesOf(QStringLiteral("Welcome to the volcanoes")), appState, {});
        TIntroDesignForm design({}, {}, {}, {});
        const std::initializer_list<std::pair<QWidget*, const char*>> windows{{&editor, "tintroentryform"},
                                                                              {&design, "tintrodesignform"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTest::qWait(50);
            QVERIFY(window->grab().save(QDir(out).filePath(QLatin1String(name) + QStringLiteral(".png"))));
        }
    }

    void designForm_boxesWriteTheirFields()
    {
        storage::PresentationBlock block;
        block.IntroScreen.UseMenuBar = true;
        block.IntroScreen.Window.FullScreen = false;
        TIntroDesignForm form(block, {}, {}, {});
        form.show();
        QVERIFY(Child<QCheckBox>(form, "UseMenuChkBx")->isChecked());
        QVERIFY(Child<QCheckBox>(form, "VPChkBx")->isChecked());
        QVERIFY(Child<QPushButton>(form, "MenuBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(form, "TitleBtn")->isEnabled());

        Child<QCheckBox>(form, "VPChkBx")->click();
        Child<QCheckBox>(form, "TitleBarChkBx")->click();
        Child<QCheckBox>(form, "UseMenuChkBx")->click();
        QVERIFY(Child<QPushButton>(form, "TitleBtn")->isEnabled());
        QVERIFY(!Child<QPushButton>(form, "VPBtn")->isEnabled());
        const storage::PresentationBlock result = form.block();
        QVERIFY(result.IntroScreen.Window.FullScreen);
        QVERIFY(result.IntroScreen.TitleBar.Used);
        QVERIFY(!result.IntroScreen.UseMenuBar);
    }

    void designForm_nestedDialogsFeedTheCopies_okHandsThemBack()
    {
        storage::PresentationBlock block;
        block.IntroScreen.Window.FullScreen = false;
        QStringList seenText;
        const IntroBackgroundDesigner designer = [&seenText](storage::ScreenDesign& screen,
                                                             const storage::PresentationBlock&,
                                                             const storage::ProgramSettings&, const QStringList& text,
                                                             QWidget*) {
            seenText = text;
            screen.Window.BackgroundKind = 3;
            screen.Window.BackgroundTile = QStringLiteral("WALL.BMP");
            screen.Window.TextLeft = 40;
            return true;
        };
        ModalDriver driver([](QWidget* dialog) {
            ModalDriver captions([](QWidget* inner) {
                Child<QLineEdit>(*inner, "Edit2")->setText(QStringLiteral("&Go"));
                Child<QPushButton>(*inner, "BitBtn2")->click();
            });
            Child<QPushButton>(*dialog, "MenuBtn")->click();
            Child<QPushButton>(*dialog, "VPBtn")->click();
            Child<QPushButton>(*dialog, "OKBtn")->click();
        });
        QVERIFY(DesignIntroductionScreen(block, {}, {QStringLiteral("{\\rtf1 Hi}")}, designer));
        QCOMPARE(block.Captions.CloseCaption, QStringLiteral("&Go"));
        QCOMPARE(block.IntroScreen.Window.BackgroundKind, 3);
        QCOMPARE(block.IntroScreen.Window.TextLeft, 40);
        QCOMPARE(seenText, QStringList{QStringLiteral("{\\rtf1 Hi}")});
    }

    void designForm_cancelKeepsTheBlock()
    {
        storage::PresentationBlock block;
        const storage::PresentationBlock before = block;
        ModalDriver driver([](QWidget* dialog) {
            Child<QCheckBox>(*dialog, "StatusBarChkBx")->click();
            Child<QPushButton>(*dialog, "CancelBtn")->click();
        });
        QVERIFY(!DesignIntroductionScreen(block, {}, {}, {}));
        QCOMPARE(block, before);
    }
};

QTEST_MAIN(TestIntroduction)
#include "tst_introduction.moc"
