// The introduction screen's design dialog: its switches, the nested caption and bar dialogs and
// the background designer, and what OK and Cancel hand back.
#include "design/tintrodesignform.h"
#include "support/child.h"
#include "support/modaldriver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace design;

class TestIntroduction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
