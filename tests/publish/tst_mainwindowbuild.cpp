// Covers the main window's "&Compile Study List" and "Create E&xecutable" buttons: they run the
// build operations with the waiting panel shown and report through the message boxes.

#include "publish/storetext.h"
#include "shell/appstate.h"
#include "shell/tquorvelform.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestMainWindowBuild : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_lists = 0;

    shell::AppState openList()
    {
        ++m_lists;
        const QString list = m_dir.filePath(QStringLiteral("list%1").arg(m_lists));
        const QString program = m_dir.filePath(QStringLiteral("program%1").arg(m_lists));
        QDir().mkpath(list);
        QDir().mkpath(program);
        WriteAll(program + QStringLiteral("/quorvela.bin"), "STUB");
        WriteAll(list + QStringLiteral("/TIDES.SWR"), CommandEntryText("Moon", 2, "MOON.BMP,30"));
        shell::AppState state;
        state.ProgramDirectory = program + QLatin1Char('/');
        state.WorkingDirectory = list + QLatin1Char('/');
        state.SettingsPath = QStringLiteral("TIDES.SWJ");
        state.TopicStorePath = QStringLiteral("TIDES.SWR");
        return state;
    }

private Q_SLOTS:
    void compileButton_compilesAndReports()
    {
        ScriptedDialogs dialogs;
        shell::AppState state = openList();
        shell::TQuorvelForm window(state);
        window.UpdateButtons();
        auto* compile = window.findChild<QPushButton*>(QStringLiteral("CompileBtn"));
        QVERIFY(compile && compile->isEnabled());
        auto* wait = window.findChild<QWidget*>(QStringLiteral("waitpnl"));
        bool waitShown = false;
        dialogs.onShown = [&](const QString&) { waitShown = wait->isVisible(); };
        window.show();
        compile->click();
        QCOMPARE(dialogs.infos, QStringList{QStringLiteral("The Topic List TIDES.SWC has been compiled. Use the "
                                                           "command MERIDOX TIDES.SWC to display it.")});
        QVERIFY(dialogs.errors.isEmpty());
        QVERIFY(waitShown);
        QVERIFY(!wait->isVisible());
        QCOMPARE(ReadAll(state.WorkingDirectory + QStringLiteral("TIDES.SWC")).size(), 5105 + 13 + 44 + 80);
    }

    void executableButton_buildsAndAsks()
    {
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(false);
        shell::AppState state = openList();
        shell::TQuorvelForm window(state);
        window.UpdateButtons();
        auto* exec = window.findChild<QPushButton*>(QStringLiteral("ExecBtn"));
        QVERIFY(exec && exec->isEnabled());
        exec->click();
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(dialogs.questions[0].startsWith(QStringLiteral("The Executable Study List TIDES.EXE has been created.")));
        const QByteArray swc = ReadAll(state.WorkingDirectory + QStringLiteral("TIDES.SWC"));
        QCOMPARE(ReadAll(state.WorkingDirectory + QStringLiteral("TIDES.EXE")), "STUB" + swc);
    }

    void executableButton_missingStub_showsError()
    {
        ScriptedDialogs dialogs;
        shell::AppState state = openList();
        QVERIFY(QFile::remove(state.ProgramDirectory + QStringLiteral("quorvela.bin")));
        shell::TQuorvelForm window(state);
        window.UpdateButtons();
        window.findChild<QPushButton*>(QStringLiteral("ExecBtn"))->click();
        QCOMPARE(dialogs.errors.size(), 1);
        QVERIFY(dialogs.errors[0].contains(QStringLiteral("quorvela.bin")));
        QVERIFY(dialogs.questions.isEmpty());
        QVERIFY(!QFileInfo::exists(state.WorkingDirectory + QStringLiteral("TIDES.EXE")));
    }
};

QTEST_MAIN(TestMainWindowBuild)
#include "tst_mainwindowbuild.moc"
