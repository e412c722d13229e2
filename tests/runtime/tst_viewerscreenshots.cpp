// Renders the notes editor, the tutorial viewer and the help window to PNG files for a person to
// look at. Runs only when QUORVEL_SCREENSHOT_DIR names a folder.

#include "platform/helpwindow.h"
#include "runtime/tfindreplaceform.h"
#include "runtime/thnotesform.h"
#include "runtime/ttutorialform.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class TestViewerScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void notesEditor();
    void tutorialViewer();
    void helpWindow();

private:
    void save(QWidget& widget, const QString& name);
    QString m_out;
};

void TestViewerScreenshots::initTestCase()
{
    m_out = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (m_out.isEmpty())
        QSKIP("set QUORVEL_SCREENSHOT_DIR to write screenshots");
    QDir().mkpath(m_out);
}

void TestViewerScreenshots::save(QWidget& widget, const QString& name)
{
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTest::qWait(100);
    const QPixmap shot = widget.grab();
    QVERIFY(shot.width() > 100 && shot.height() > 50);
    QVERIFY(shot.save(QDir(m_out).filePath(name + QStringLiteral(".png"))));
}

void TestViewerScreenshots::notesEditor()
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("HOMEWORK.TXT"));
    WriteAll(path, "Volcano homework\n\n1. Name three active volcanoes.\n2. What is magma?\n"
                   "3. Why do people live near volcanoes?\n\nMy answers:\n");
    runtime::THNotesForm form;
    form.startOn(QStringLiteral("HOMEWORK.TXT"), path);
    save(form, QStringLiteral("THNotesForm"));
    form.findChild<QAction*>(QStringLiteral("Replace2"))->trigger();
    auto* box = form.findChild<runtime::TFindReplaceForm*>(QStringLiteral("ReplaceDialog"));
    QVERIFY(box);
    box->setFindText(QStringLiteral("volcano"));
    save(*box, QStringLiteral("TFindReplaceForm-replace"));
}

void TestViewerScreenshots::tutorialViewer()
{
    ScriptedDialogs dialogs;
    const QString path = QStringLiteral(QUORVEL_SOURCE_DIR "/resources/QUORVELA.RTF");
    runtime::TTutorialForm form;
    form.load(path);
    save(form, QStringLiteral("TTutorialForm"));
    form.resize(900, 700);
    save(form, QStringLiteral("TTutorialForm-large"));
}

void TestViewerScreenshots::helpWindow()
{
    ScriptedDialogs dialogs;
    const QString path = QStringLiteral(QUORVEL_SOURCE_DIR "/resources/QUORVELA.HLP");
    const QString html = QString::fromUtf8(ReadAll(path));
    platform::HelpWindow contents(path, html, 1);
    save(contents, QStringLiteral("HelpWindow-contents"));
    platform::HelpWindow topic(path, html, 145);
    save(topic, QStringLiteral("HelpWindow-145"));
}

QTEST_MAIN(TestViewerScreenshots)
#include "tst_viewerscreenshots.moc"
