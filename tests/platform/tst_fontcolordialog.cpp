// Covers the font chooser with its text colour: where it starts, and the font and colour it returns.
#include "platform/fontcolordialog.h"
#include "platform/fonts.h"
#include "shell/faces.h"
#include "support/child.h"

#include <QComboBox>
#include <QtTest>

using platform::FontColorDialog;

class TestFontColorDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { shell::InstallFaceSubstitutions(); }

    void startsFromTheGivenColour_data()
    {
        QTest::addColumn<QColor>("initial");
        QTest::addColumn<QString>("shown");
        QTest::newRow("basic colour") << QColor(128, 0, 0) << "Maroon";
        QTest::newRow("any other colour") << QColor(1, 2, 3) << "Custom";
    }

    void startsFromTheGivenColour()
    {
        QFETCH(QColor, initial);
        QFETCH(QString, shown);
        FontColorDialog dialog(QFont(QStringLiteral("Liberation Sans")), initial);
        QCOMPARE(Child<QComboBox>(dialog, "ColorBox")->currentText(), shown);
        QCOMPARE(dialog.choice().color, initial);
    }

    // Changing only the colour keeps the face stored, installed, substituted or neither.
    void colourOnly_keepsTheFace_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("installed") << "Liberation Serif";
        QTest::newRow("substituted") << "MS Sans Serif";
        QTest::newRow("not installed") << "Old Face";
    }

    void colourOnly_keepsTheFace()
    {
        QFETCH(QString, face);
        QFont font(face);
        font.setPointSize(14);
        font.setItalic(true);
        FontColorDialog dialog(font, Qt::black);
        Child<QComboBox>(dialog, "ColorBox")->setCurrentIndex(15);
        const platform::FontChoice choice = dialog.choice();
        QCOMPARE(choice.font.family(), face);
        QCOMPARE(choice.font.pointSize(), 14);
        QVERIFY(choice.font.italic() && !choice.font.bold());
        QCOMPARE(choice.color, QColor(Qt::white));
    }
};

QTEST_MAIN(TestFontColorDialog)
#include "tst_fontcolordialog.moc"
