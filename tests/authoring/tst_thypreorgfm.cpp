// The Topic order dialog: which panel and buttons show as the author picks names, what "Sort"
// hands to the store, and the "Topic &Order" flow over a real store.
#include "authoring/thypreorgfm.h"
#include "platform/f1filter.h"
#include "shell/error.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/modaldriver.h"
#include "support/child.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using authoring::THypReorgFm;

namespace {

struct Move
{
    QString name;
    QString before;
};

const QStringList kFour{"First", "Second", "Third", "Fourth"};

void Pick(QWidget& dialog, const char* list, int row, const char* ok)
{
    Child<QListWidget>(dialog, list)->setCurrentRow(row);
    Child<QPushButton>(dialog, ok)->click();
}

} // namespace

class TestTHypReorgFm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening_showsFirstPanelOnly()
    {
        THypReorgFm dialog(kFour, [](const QString&, const QString&) { return QStringList(); });
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Press F1 for Help"));
        QCOMPARE(dialog.property("helpContext").toInt(), 245);
        QVERIFY(Child<QRadioButton>(dialog, "tomoveRBtn")->isChecked());
        QCOMPARE(Child<QRadioButton>(dialog, "tomoveRBtn")->text(), QStringLiteral("Move this Topic"));
        QCOMPARE(Child<QRadioButton>(dialog, "MovetoRBtn")->text(), QStringLiteral("before this Topic"));
        QVERIFY(Child<QWidget>(dialog, "List1Pnl")->isVisible());
        QVERIFY(!Child<QWidget>(dialog, "List2Pnl")->isVisible());
        QVERIFY(!Child<QWidget>(dialog, "SortBitBtn")->isVisible());
        for (const char* list : {"ListBox1", "ListBox2"}) {
            QCOMPARE(Child<QListWidget>(dialog, list)->count(), 4);
            QCOMPARE(Child<QListWidget>(dialog, list)->currentRow(), 0);
        }
        QVERIFY(Child<QLineEdit>(dialog, "Edit1")->isReadOnly());
        QVERIFY(Child<QLineEdit>(dialog, "Edit2")->text().isEmpty());
    }

    void sort_staysHiddenUntilBothNamesAreTaken()
    {
        THypReorgFm dialog(kFour, [](const QString&, const QString&) { return QStringList(); });
        dialog.show();
        Pick(dialog, "ListBox1", 2, "OK1Btn");
        QCOMPARE(Child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("Third"));
        QVERIFY(!Child<QWidget>(dialog, "SortBitBtn")->isVisible());

        Child<QRadioButton>(dialog, "MovetoRBtn")->click();
        QVERIFY(!Child<QWidget>(dialog, "List1Pnl")->isVisible());
        QVERIFY(Child<QWidget>(dialog, "List2Pnl")->isVisible());
        QVERIFY(!Child<QWidget>(dialog, "SortBitBtn")->isVisible());

        // A double click takes the name as "OK" does.
        auto* list2 = Child<QListWidget>(dialog, "ListBox2");
        list2->setCurrentRow(0);
        Q_EMIT list2->itemDoubleClicked(list2->item(0));
        QCOMPARE(Child<QLineEdit>(dialog, "Edit2")->text(), QStringLiteral("First"));
        QVERIFY(Child<QWidget>(dialog, "SortBitBtn")->isVisible());

        // Back on the first panel "Sort" stays: both names are still there.
        Child<QRadioButton>(dialog, "tomoveRBtn")->click();
        QVERIFY(Child<QWidget>(dialog, "SortBitBtn")->isVisible());
    }

    void ok_withoutSelection_takesNothing()
    {
        THypReorgFm dialog(kFour, [](const QString&, const QString&) { return QStringList(); });
        dialog.show();
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        list->clearSelection();
        Child<QPushButton>(dialog, "OK1Btn")->click();
        QVERIFY(Child<QLineEdit>(dialog, "Edit1")->text().isEmpty());
    }

    void sort_movesAndResets()
    {
        QList<Move> moves;
        const QStringList moved{"Third", "First", "Second", "Fourth"};
        THypReorgFm dialog(kFour, [&](const QString& name, const QString& before) {
            moves.append({name, before});
            return moved;
        });
        dialog.show();
        Pick(dialog, "ListBox1", 2, "OK1Btn");
        Child<QRadioButton>(dialog, "MovetoRBtn")->click();
        Pick(dialog, "ListBox2", 0, "OK2Btn");
        Child<QPushButton>(dialog, "SortBitBtn")->click();

        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves.front().name, QStringLiteral("Third"));
        QCOMPARE(moves.front().before, QStringLiteral("First"));
        QCOMPARE(dialog.names(), moved);
        QCOMPARE(Child<QListWidget>(dialog, "ListBox2")->item(0)->text(), QStringLiteral("Third"));
        QVERIFY(Child<QLineEdit>(dialog, "Edit1")->text().isEmpty());
        QVERIFY(Child<QLineEdit>(dialog, "Edit2")->text().isEmpty());
        QVERIFY(Child<QRadioButton>(dialog, "tomoveRBtn")->isChecked());
        QVERIFY(Child<QWidget>(dialog, "List1Pnl")->isVisible());
        QVERIFY(!Child<QWidget>(dialog, "SortBitBtn")->isVisible());
    }

    void switchingListsAndSorting_keepsTheDialogSize()
    {
        THypReorgFm dialog(kFour, [](const QString&, const QString&) { return kFour; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QSize size = dialog.size();
        for (int round = 0; round < 3; ++round) {
            Pick(dialog, "ListBox1", 2, "OK1Btn");
            Child<QRadioButton>(dialog, "MovetoRBtn")->click();
            Pick(dialog, "ListBox2", 0, "OK2Btn");
            Child<QRadioButton>(dialog, "tomoveRBtn")->click();
            Child<QPushButton>(dialog, "SortBitBtn")->click();
            QCoreApplication::processEvents();
            QCOMPARE(dialog.size(), size);
        }
    }

    void sort_sameTopic_movesNothingButResets()
    {
        int calls = 0;
        THypReorgFm dialog(kFour, [&](const QString&, const QString&) {
            ++calls;
            return kFour;
        });
        dialog.show();
        Pick(dialog, "ListBox1", 1, "OK1Btn");
        Child<QRadioButton>(dialog, "MovetoRBtn")->click();
        Pick(dialog, "ListBox2", 1, "OK2Btn");
        Child<QPushButton>(dialog, "SortBitBtn")->click();
        QCOMPARE(calls, 0);
        QVERIFY(Child<QLineEdit>(dialog, "Edit1")->text().isEmpty());
        QVERIFY(!Child<QWidget>(dialog, "SortBitBtn")->isVisible());
    }

    void sort_failedMove_isShownAndKeepsTheNames()
    {
        ScriptedDialogs dialogs;
        THypReorgFm dialog(kFour, [](const QString&, const QString&) -> QStringList {
            throw shell::Error(QStringLiteral("Cannot write LIST.SWR"));
        });
        dialog.show();
        Pick(dialog, "ListBox1", 3, "OK1Btn");
        Child<QRadioButton>(dialog, "MovetoRBtn")->click();
        Pick(dialog, "ListBox2", 0, "OK2Btn");
        Child<QPushButton>(dialog, "SortBitBtn")->click();
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Cannot write LIST.SWR")});
        QCOMPARE(dialog.names(), kFour);
        QCOMPARE(Child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("Fourth"));
    }

    // Writes what the author sees with both names taken, for a person to look at.
    void screenshot_whenAsked()
    {
        const QString out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
        THypReorgFm dialog(kFour, [](const QString&, const QString&) { return QStringList(); });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Pick(dialog, "ListBox1", 2, "OK1Btn");
        Child<QRadioButton>(dialog, "MovetoRBtn")->click();
        Pick(dialog, "ListBox2", 0, "OK2Btn");
        QTest::qWait(50);
        QVERIFY(dialog.grab().save(QDir(out).filePath(QStringLiteral("thypreorgfm.png"))));
    }

    void topicOrder_singleTopic_saysSoWithoutDialog()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
        storage::AppendCommandEntry(store, QStringLiteral("Only"), 4, storage::kTopicKind, QStringLiteral("A.EXE"));
        ModalDriver driver([](QWidget* modal) { modal->close(); });
        authoring::TopicOrder(store, storage::kTopicKind);
        QCOMPARE(dialogs.infos, QStringList{QStringLiteral("There is only 1 entry in the list")});
        QVERIFY(!driver.opened);
    }

    void topicOrder_movesInTheStore()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("LIST.SWR"));
        for (const QString& name : kFour)
            storage::AppendCommandEntry(store, name, 4, storage::kTopicKind, name + QStringLiteral(".EXE"));
        QStringList shown;
        ModalDriver driver([&shown](QWidget* modal) {
            Pick(*modal, "ListBox1", 2, "OK1Btn");
            Child<QRadioButton>(*modal, "MovetoRBtn")->click();
            Pick(*modal, "ListBox2", 0, "OK2Btn");
            Child<QPushButton>(*modal, "SortBitBtn")->click();
            auto* list = Child<QListWidget>(*modal, "ListBox1");
            for (int i = 0; i < list->count(); ++i)
                shown.append(list->item(i)->text());
            Child<QPushButton>(*modal, "CancelBitBtn")->click();
        });
        authoring::TopicOrder(store, storage::kTopicKind);
        QVERIFY(driver.opened);
        QVERIFY(!driver.stuck);
        const QStringList expected{"Third", "First", "Second", "Fourth"};
        QCOMPARE(shown, expected);
        QStringList names;
        storage::ListEntryNames(names, store, storage::kTopicKind);
        QCOMPARE(names, expected);
    }
};

QTEST_MAIN(TestTHypReorgFm)
#include "tst_thypreorgfm.moc"
