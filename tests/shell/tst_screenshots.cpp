// Renders the shell's windows to PNG files for a person to look at. Runs only when
// QUORVEL_SCREENSHOT_DIR names a folder; checks that every window renders at a sensible size.

#include "runtime/taboutbox.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/tmakedirform.h"
#include "shell/tquorvelform.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shellWindows();

private:
    void save(QWidget& widget, const QString& name);
    QString m_out;
};

void TestScreenshots::initTestCase()
{
    m_out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (m_out.isEmpty())
        QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
    QDir().mkpath(m_out);
}

void TestScreenshots::save(QWidget& widget, const QString& name)
{
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTest::qWait(50);
    const QPixmap shot = widget.grab();
    QVERIFY(shot.width() > 100 && shot.height() > 50);
    QVERIFY(shot.save(QDir(m_out).filePath(name + QStringLiteral(".png"))));
}

void TestScreenshots::shellWindows()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Geography"));
    QFile(dir.filePath(QStringLiteral("VOLCANO.SWJ"))).open(QIODevice::WriteOnly);
    shell::TMakeDirForm form(QStringLiteral("*.SWJ"), 105, QStringLiteral("Enter a new Study List name"), dir.path());
    save(form, QStringLiteral("TMakeDirForm"));
    runtime::TAboutBox own(runtime::OwnAboutBox(), runtime::AboutMode::Own, QString());
    save(own, QStringLiteral("TAboutBox-own"));
    storage::AboutBoxSettings designed;
    designed.Caption = QStringLiteral("About Volcanoes");
    designed.ProgramName = QStringLiteral("Volcanoes");
    designed.VersionText = QStringLiteral("Version 1");
    designed.Author = QStringLiteral("Ms Rivera, Year 8 Geography");
    designed.Comments = {QStringLiteral("One"), QString(), QStringLiteral("Three"), QString()};
    runtime::TAboutBox box(designed, runtime::AboutMode::Designed, dir.path());
    save(box, QStringLiteral("TAboutBox-designed"));
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
