// The design flows as the author meets them, from the main window's buttons over a Study List on
// disk: program presentation with an introduction written through its editor, list presentation
// switching the menu screen off, Topic order and distribution. What they save is read back from
// NAME.SWJ and NAME.SWR.
#include "shell/appstate.h"
#include "shell/tquorvelform.h"
#include "storage/settings.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/child.h"
#include "support/modaldriver.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class TestMainWindowDesign : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    shell::AppState m_state;

    // The settings as a fresh load of NAME.SWJ gives them.
    storage::SettingsRecord stored()
    {
        shell::AppState again = m_state;
        storage::LoadSettings(again);
        return again.Settings;
    }
    QString store() const { return m_state.WorkingDirectory + QStringLiteral("TIDES.SWR"); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString list = m_dir->filePath(QStringLiteral("TIDES/"));
        const QString program = m_dir->filePath(QStringLiteral("program/"));
        QDir().mkpath(list);
        QDir().mkpath(program);
        WriteAll(program + QStringLiteral("meridox.exe"), "viewer");
        m_state = {};
        m_state.ProgramDirectory = program;
        m_state.WorkingDirectory = list;
        m_state.SettingsPath = QStringLiteral("TIDES.SWJ");
        storage::OpenSettings(m_state);
        for (const char* name : {"Moon", "Sun", "Waves"})
            storage::AppendCommandEntry(store(), QString::fromLatin1(name), 8, storage::kTopicKind,
                                        QString::fromLatin1(name) + QStringLiteral(".HTM"));
    }
    void cleanup() { m_dir.reset(); }

    void programPresentation_withIntroduction_isSaved()
    {
        ScriptedDialogs dialogs;
        shell::TQuorvelForm window(m_state);
        window.UpdateButtons();
        window.show();
        ModalDriver driver([](QWidget* dialog) {
            Child<QLineEdit>(*dialog, "Edit1")->setText(QStringLiteral("The Tides"));
            Child<QCheckBox>(*dialog, "IntroChkBx")->click();
            ModalDriver editor([](QWidget* intro) {
                Child<QTextEdit>(*intro, "RichEdit1")->setPlainText(QStringLiteral("Why the sea comes and goes"));
                Child<QPushButton>(*intro, "OKBtn")->click();
            });
            Child<QPushButton>(*dialog, "IntroBtn")->click();
            QVERIFY(editor.opened);
            Child<QPushButton>(*dialog, "BitBtn1")->click();
        });
        Child<QPushButton>(window, "CustProgBtn")->click();
        QVERIFY(driver.opened);
        QVERIFY(dialogs.errors.isEmpty());

        const storage::SettingsRecord record = stored();
        QCOMPARE(record.Program.Title, QStringLiteral("The Tides"));
        QVERIFY(record.Presentation.UseIntroduction);
        QStringList text;
        QVERIFY(storage::ReadIntroText(store(), text));
        QVERIFY(text.join(QLatin1Char('\n')).contains(QStringLiteral("Why the sea comes and goes")));
        // The Topics are still all there.
        QStringList names;
        storage::ListEntryNames(names, store(), storage::kTopicKind);
        QCOMPARE(names, (QStringList{"Moon", "Sun", "Waves"}));
    }

    void listPresentation_menuScreenOff_disablesProgramPresentation()
    {
        ScriptedDialogs dialogs;
        shell::TQuorvelForm window(m_state);
        window.UpdateButtons();
        window.show();
        QVERIFY(Child<QPushButton>(window, "CustProgBtn")->isEnabled());
        ModalDriver driver([](QWidget* dialog) {
            Child<QCheckBox>(*dialog, "BackChkBx")->click();
            Child<QPushButton>(*dialog, "OKBitBtn")->click();
        });
        Child<QPushButton>(window, "CustListBtn")->click();
        QVERIFY(driver.opened);
        QVERIFY(!Child<QPushButton>(window, "CustProgBtn")->isEnabled());
        QVERIFY(!stored().UseMenuScreen);
        QVERIFY(!m_state.MenuScreenCopy);
    }

    void topicOrder_fromTheMainWindow_movesInTheStore()
    {
        ScriptedDialogs dialogs;
        shell::TQuorvelForm window(m_state);
        window.UpdateButtons();
        window.show();
        ModalDriver driver([](QWidget* dialog) {
            Child<QListWidget>(*dialog, "ListBox1")->setCurrentRow(2);
            Child<QPushButton>(*dialog, "OK1Btn")->click();
            Child<QRadioButton>(*dialog, "MovetoRBtn")->click();
            Child<QListWidget>(*dialog, "ListBox2")->setCurrentRow(0);
            Child<QPushButton>(*dialog, "OK2Btn")->click();
            Child<QPushButton>(*dialog, "SortBitBtn")->click();
            Child<QPushButton>(*dialog, "CancelBitBtn")->click();
        });
        Child<QPushButton>(window, "ReorgBtn")->click();
        QVERIFY(driver.opened);
        QStringList names;
        storage::ListEntryNames(names, store(), storage::kTopicKind);
        QCOMPARE(names, (QStringList{"Waves", "Moon", "Sun"}));
    }

    void distribution_fromTheMainWindow_copiesTheList()
    {
        ScriptedDialogs dialogs;
        for (const char* name : {"Moon.HTM", "Sun.HTM", "WAVES.HTM", "TIDES.SWC"})
            WriteAll(m_state.WorkingDirectory + QString::fromLatin1(name), "x");
        shell::TQuorvelForm window(m_state);
        window.UpdateButtons();
        window.show();
        const QString out = m_dir->filePath(QStringLiteral("hand-out"));
        ModalDriver driver([&out](QWidget* dialog) {
            Child<QLineEdit>(*dialog, "Edit1")->setText(out);
            Child<QRadioButton>(*dialog, "RadioButton1")->setChecked(true);
            Child<QPushButton>(*dialog, "BitBtn1")->click();
        });
        Child<QPushButton>(window, "TestExecBtn")->click();
        QVERIFY(driver.opened);
        QVERIFY2(dialogs.errors.isEmpty(), qPrintable(dialogs.errors.join(QLatin1Char('\n'))));
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 (QStringList{"Moon.HTM", "Sun.HTM", "TIDES.SWC", "WAVES.HTM", "meridox.exe"}));
    }
};

QTEST_MAIN(TestMainWindowDesign)
#include "tst_mainwindowdesign.moc"
