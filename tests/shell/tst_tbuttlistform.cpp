// The entry chooser and the find dialog: selection rule, closing keys and buttons, the result,
// and "&Find" with its find state over the window's life.
#include "platform/f1filter.h"
#include "shell/tbuttlistform.h"
#include "shell/tgetinputtextform.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace shell;

namespace {

const QStringList kThree{QStringLiteral("Volcanoes"), QStringLiteral("LAVA flows"),
                         QStringLiteral("Geysers")};

QListWidget* ListOf(QWidget* dialog)
{
    return dialog->findChild<QListWidget*>(QStringLiteral("ListBox1"));
}

QPushButton* Button(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QPushButton*>(name);
}

// Answers the find dialog that the next "&Find" opens: types the text and presses the button.
std::unique_ptr<ModalDriver> AnswerFind(const QString& text, const QString& button,
                                        QString* shownText = nullptr)
{
    return std::make_unique<ModalDriver>([text, button, shownText](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QVERIFY(edit);
        if (shownText)
            *shownText = edit->text();
        edit->setText(text);
        QTest::mouseClick(Button(modal, button), Qt::LeftButton);
    });
}

void SaveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVEL_SHOTS_DIR");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(name));
}

} // namespace

class TestTButtListForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup() { m_dialogs.reset(); }

    void chooser_looksAsGiven()
    {
        TButtListForm dialog(kThree, 0, 185, QStringLiteral("Select an Entry to delete"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select an Entry to delete"));
        QCOMPARE(platform::F1Filter::HelpContextOf(&dialog), 185);
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0x00, 0x80, 0x80));
        QCOMPARE(ListOf(&dialog)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(ListOf(&dialog)->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(Button(&dialog, QStringLiteral("OKBitBtn"))->text(), QStringLiteral("&Select"));
        QCOMPARE(Button(&dialog, QStringLiteral("CancelBitBtn"))->text(), QStringLiteral("&Close"));
        QCOMPARE(Button(&dialog, QStringLiteral("BitBtn1"))->text(), QStringLiteral("&Find"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"OKBitBtn", "CancelBitBtn", "BitBtn1"}) {
            QPushButton* button = Button(&dialog, QLatin1String(name));
            QVERIFY(button->width() >= button->sizeHint().width());
        }
        SaveShot(&dialog, QStringLiteral("tbuttlistform.png"));
    }

    void selectionRule_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("selected");
        QTest::newRow("three names, start 0") << 3 << 0 << 0;
        QTest::newRow("three names, start 2") << 3 << 2 << 2;
        QTest::newRow("three names, start past the end") << 3 << 3 << -1;
        QTest::newRow("three names, start -1") << 3 << -1 << -1;
        QTest::newRow("one name, start 0") << 1 << 0 << 0;
        QTest::newRow("one name, start 1") << 1 << 1 << -1;
    }
    void selectionRule()
    {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(int, selected);
        TButtListForm dialog(kThree.mid(0, count), start, 0, QStringLiteral("Pick"));
        const QList<QListWidgetItem*> items = ListOf(&dialog)->selectedItems();
        QCOMPARE(items.isEmpty() ? -1 : ListOf(&dialog)->row(items.front()), selected);
    }

    void chooseEntry_oneName_showsItSelected_andSelectGivesIt()
    {
        bool shownSelected = false;
        ModalDriver driver([&shownSelected](QWidget* modal) {
            shownSelected = ListOf(modal)->item(0)->isSelected();
            QTest::mouseClick(Button(modal, QStringLiteral("OKBitBtn")), Qt::LeftButton);
        });
        QCOMPARE(ChooseEntry({QStringLiteral("Only")}, 0, 175, QStringLiteral("Pick")), 0);
        QVERIFY(shownSelected);
    }

    void chooseEntry_selectWithNothingSelected_givesMinusOne()
    {
        ModalDriver driver([](QWidget* modal) {
            QTest::mouseClick(Button(modal, QStringLiteral("OKBitBtn")), Qt::LeftButton);
        });
        QCOMPARE(ChooseEntry(kThree, 7, 175, QStringLiteral("Pick")), -1);
        QVERIFY(driver.opened);
    }

    void chooseEntry_closeGivesMinusOne()
    {
        ModalDriver driver([](QWidget* modal) {
            QTest::mouseClick(Button(modal, QStringLiteral("CancelBitBtn")), Qt::LeftButton);
        });
        QCOMPARE(ChooseEntry(kThree, 1, 175, QStringLiteral("Pick")), -1);
    }

    void chooseEntry_keysAndDoubleClick_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter in the list chooses") << 0 << 2;
        QTest::newRow("keypad Enter in the list chooses") << 1 << 2;
        QTest::newRow("Esc closes") << 2 << -1;
        QTest::newRow("Esc on a button closes") << 3 << -1;
        QTest::newRow("double click chooses") << 4 << 2;
    }
    void chooseEntry_keysAndDoubleClick()
    {
        QFETCH(int, how);
        QFETCH(int, result);
        ModalDriver driver([how](QWidget* modal) {
            QListWidget* list = ListOf(modal);
            list->setCurrentRow(2);
            switch (how) {
            case 0:
                QTest::keyClick(list, Qt::Key_Return);
                break;
            case 1:
                QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
                break;
            case 2:
                QTest::keyClick(list, Qt::Key_Escape);
                break;
            case 3:
                QTest::keyClick(Button(modal, QStringLiteral("BitBtn1")), Qt::Key_Escape);
                break;
            default: {
                const QPoint cell = list->visualItemRect(list->item(2)).center();
                QTest::mousePress(list->viewport(), Qt::LeftButton, {}, cell);
                QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, cell);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
                break;
            }
            }
        });
        QCOMPARE(ChooseEntry(kThree, 0, 175, QStringLiteral("Pick")), result);
    }

    void find_firstNextNext_overThreeNames()
    {
        TButtListForm dialog(kThree, 2, 175, QStringLiteral("Pick"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = ListOf(&dialog);
        QPushButton* find = Button(&dialog, QStringLiteral("BitBtn1"));

        auto driver = AnswerFind(QStringLiteral("a"), QStringLiteral("BitBtn3"));
        QTest::mouseClick(find, Qt::LeftButton);
        QVERIFY(driver->opened);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.findState().lastFound, 0);
        QCOMPARE(dialog.focusWidget(), Button(&dialog, QStringLiteral("OKBitBtn")));

        QString shown;
        driver = AnswerFind(QStringLiteral("A"), QStringLiteral("BitBtn2"), &shown);
        QTest::mouseClick(find, Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("a"));
        QCOMPARE(list->currentRow(), 1);

        driver = AnswerFind(QStringLiteral("A"), QStringLiteral("BitBtn2"));
        QTest::mouseClick(find, Qt::LeftButton);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.findState().lastFound, 1);

        // Still after the second name: "s" is in all three, the third is next.
        driver = AnswerFind(QStringLiteral("s"), QStringLiteral("BitBtn2"));
        QTest::mouseClick(find, Qt::LeftButton);
        QCOMPARE(list->currentRow(), 2);
    }

    void find_cancelled_selectsFirstRow_andKeepsText()
    {
        TButtListForm dialog(kThree, 2, 175, QStringLiteral("Pick"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto driver = AnswerFind(QStringLiteral("geyser"), QStringLiteral("BitBtn3"));
        QTest::mouseClick(Button(&dialog, QStringLiteral("BitBtn1")), Qt::LeftButton);
        QCOMPARE(ListOf(&dialog)->currentRow(), 2);

        driver = AnswerFind(QStringLiteral("typed but cancelled"), QStringLiteral("BitBtn1"));
        QTest::mouseClick(Button(&dialog, QStringLiteral("BitBtn1")), Qt::LeftButton);
        QCOMPARE(ListOf(&dialog)->currentRow(), 0);
        QCOMPARE(dialog.findState().lastText, QStringLiteral("geyser"));
        QCOMPARE(dialog.findState().lastFound, 2);
    }

    void askFindText_modesAndText_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("Find First") << QStringLiteral("BitBtn3") << 1 << QStringLiteral("typed");
        QTest::newRow("Find Next") << QStringLiteral("BitBtn2") << 2 << QStringLiteral("typed");
        QTest::newRow("cancel keeps the text") << QStringLiteral("BitBtn1") << 0 << QStringLiteral("before");
    }
    void askFindText_modesAndText()
    {
        QFETCH(QString, button);
        QFETCH(int, mode);
        QFETCH(QString, text);
        QString shown;
        auto driver = AnswerFind(QStringLiteral("typed"), button, &shown);
        QString search = QStringLiteral("before");
        QCOMPARE(AskFindText(search), mode);
        QCOMPARE(shown, QStringLiteral("before"));
        QCOMPARE(search, text);
    }

    void findDialog_looksAsGiven_andHasNoDefaultButton()
    {
        TGetInputTextForm dialog(QStringLiteral("lava"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Find"));
        QVERIFY(dialog.findChild<QLabel*>());
        QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Entry to Find :"));
        QCOMPARE(Button(&dialog, QStringLiteral("BitBtn3"))->text(), QStringLiteral("Find First"));
        QCOMPARE(Button(&dialog, QStringLiteral("BitBtn2"))->text(), QStringLiteral("Find Next"));
        for (const char* name : {"BitBtn3", "BitBtn2", "BitBtn1"}) {
            QVERIFY(!Button(&dialog, QLatin1String(name))->isDefault());
            QVERIFY(!Button(&dialog, QLatin1String(name))->autoDefault());
        }
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Enter in the edit box picks no mode and leaves the dialog open.
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.mode(), 0);
        SaveShot(&dialog, QStringLiteral("tgetinputtextform.png"));
    }

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

QTEST_MAIN(TestTButtListForm)
#include "tst_tbuttlistform.moc"
