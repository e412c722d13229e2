// HideWhile on a dialog that runs its own modal loop: off the screen while a sub-dialog runs, the
// loop going on, the sub-dialog centred where the dialog was, and the dialog back afterwards.
#include "shell/operationframe.h"

#include <QDialog>
#include <QTimer>
#include <QtTest>

class TestOperationFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hiddenDialog_leavesTheScreen_keepsItsLoop_andCentresTheSubDialog()
    {
        QDialog dialog;
        dialog.resize(300, 200);
        dialog.move(250, 200);
        bool shownMeanwhile = true;
        bool shownAfter = false;
        QPoint placeAfter;
        QPoint subCentre;
        QTimer::singleShot(0, &dialog, [&] {
            const QPoint centre = dialog.geometry().center();
            {
                const shell::HideWhile hidden(&dialog);
                shownMeanwhile = dialog.isVisible() || dialog.windowHandle()->isVisible();
                QDialog sub(&dialog);
                sub.resize(200, 100);
                QTimer::singleShot(0, &sub, [&] {
                    subCentre = sub.geometry().center() - centre;
                    sub.accept();
                });
                sub.exec();
            }
            shownAfter = dialog.isVisible();
            placeAfter = dialog.pos();
            dialog.accept();
        });
        const QPoint before = dialog.pos();
        // Rejected here would mean the hide ended the dialog's loop before the sub-dialog ran.
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(!shownMeanwhile);
        QVERIFY(shownAfter);
        QCOMPARE(placeAfter, before);
        // QDialog allows for a window frame it guesses, so the centres meet within that guess.
        QVERIFY2(subCentre.manhattanLength() <= 60, qPrintable(QStringLiteral("%1,%2").arg(subCentre.x()).arg(subCentre.y())));
    }
};

QTEST_MAIN(TestOperationFrame)
#include "tst_operationframe.moc"
