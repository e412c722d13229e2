// Covers the preview in real windows (runtime/windowpreviewscreens): the sequence of windows over
// a Study List on disk, the backdrop and help file around it, the plain topic list, the main
// window's "&PreView Program", and the restoring of everything when the store cannot be read.
#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "publish/storetext.h"
#include "runtime/tmenudisplayform.h"
#include "runtime/ttutbackform.h"
#include "runtime/windowpreviewscreens.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/tquorvelform.h"
#include "storage/settings.h"
#include "storage/storetopicsource.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include <QAction>
#include <QFrame>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Plays a script against the modal windows as they come up: each step names the window it waits
// for and what to do with it. A step's action runs from a fresh timer, so a window it opens in
// turn (a Topic from the menu) can be answered by the next step while the first is still open.
class ModalScript
{
public:
    struct Step
    {
        QString window;
        std::function<void(QWidget*)> action;
    };

    explicit ModalScript(QList<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    QStringList seen;
    bool done() const { return m_next >= m_steps.size(); }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || done() || modal == m_busy)
            return;
        if (modal->objectName() != m_steps.at(m_next).window) {
            // A window the script did not expect: note it and close it, so the test fails
            // instead of hanging.
            if (modal != m_wrong) {
                m_wrong = modal;
                seen << QStringLiteral("unexpected ") + modal->objectName();
                QTimer::singleShot(0, modal, [modal] { modal->close(); });
            }
            return;
        }
        const Step step = m_steps.at(m_next++);
        seen << step.window;
        m_busy = modal;
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, [this, step, target] {
            if (target)
                step.action(target);
            m_busy = nullptr;
        });
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    QWidget* m_busy = nullptr;
    QWidget* m_wrong = nullptr;
    QTimer m_timer;
};

void Close(QWidget* window)
{
    window->close();
}

void Press(QWidget* window, const char* button)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

QByteArray Store()
{
    return IntroEntryText({"{\\rtf1 Welcome to volcanoes.\\par}"}) +
           PageEntryText("Etna", 1, {"{\\rtf1 Etna is in Sicily.\\par}"}) +
           PageEntryText("Vesuvius", 1, {"{\\rtf1 Vesuvius buried Pompeii.\\par}"}) +
           CommandEntryText("Krakatoa", 12, "nothing");
}

} // namespace

class TestPreviewWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
    shell::AppState m_state;

private Q_SLOTS:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = shell::AppState();
        shell::InitialiseProcess(m_state, m_dir->path());
        m_state.SettingsPath = QStringLiteral("VOLCANO.SWJ");
        storage::OpenSettings(m_state);
        WriteAll(m_dir->filePath(QStringLiteral("VOLCANO.SWR")), Store());
        WriteAll(m_dir->filePath(QStringLiteral("List.hlp")), "<html><a name=\"3\">Help</a></html>");
        m_state.Settings.Program.Title = QStringLiteral("Volcanoes");
        m_state.Settings.Program.UseHelpFile = true;
        m_state.Settings.Program.HelpFile = QStringLiteral("LIST.HLP");
        m_state.Settings.Program.BackgroundColor = 0x202080;
    }
    void cleanup()
    {
        m_dialogs.reset();
        m_dir.reset();
    }

    void preview_fullSequence_inWindowsOverBackdrop()
    {
        storage::PresentationBlock& presentation = m_state.Settings.Presentation;
        presentation.UseAboutBox = true;
        presentation.AboutBox.ShowWhen = 2;
        presentation.AboutBox.Caption = QStringLiteral("About Volcanoes");
        presentation.UseIntroduction = true;
        presentation.UseOpeningCommand = true;
        presentation.OpeningCommand.CommandType = 4;
        presentation.OpeningCommand.CommandLine = QStringLiteral("true");
        presentation.UseClosingCommand = true;
        presentation.ClosingCommand.CommandType = 4;
        presentation.ClosingCommand.CommandLine = QStringLiteral("true");

        runtime::WindowPreviewScreens screens(m_state, nullptr);
        QString helpDuringMenu;
        bool backdropUnderMenu = false;
        QStringList menuNames;
        QString pageText;
        ModalScript script({
            {QStringLiteral("TAboutBox"), Close},
            {QStringLiteral("TIntDispForm"), [](QWidget* intro) { QTest::keyClick(intro, Qt::Key_Escape); }},
            {QStringLiteral("TMenuDisplayForm"),
             [&](QWidget* menu) {
                 helpDuringMenu = m_dialogs->helpFile();
                 backdropUnderMenu = screens.backdrop() && screens.backdrop()->isVisible() &&
                                     menu->parentWidget() == screens.backdrop();
                 auto* list = menu->findChild<QListWidget*>(QStringLiteral("ListBox1"));
                 for (int i = 0; i < list->count(); ++i)
                     menuNames << list->item(i)->text();
                 list->setCurrentRow(1);
                 QTest::keyClick(list, Qt::Key_Return);
             }},
            {QStringLiteral("TShowHTextForm"),
             [&](QWidget* page) {
                 pageText = page->windowTitle();
                 Press(page, "BitBtn1");
             }},
            {QStringLiteral("TMenuDisplayForm"),
             [](QWidget* menu) { menu->findChild<QAction*>(QStringLiteral("MQuit"))->trigger(); }},
            {QStringLiteral("TAboutBox"), Close},
        });
        const storage::StoreTopicSource source(m_state.resolve(m_state.TopicStorePath));
        runtime::PreviewSequence(m_state.Settings, source, screens, m_state).run();

        QVERIFY2(script.done(), qPrintable(script.seen.join(QLatin1Char(','))));
        QCOMPARE(script.seen, (QStringList{"TAboutBox", "TIntDispForm", "TMenuDisplayForm", "TShowHTextForm",
                                           "TMenuDisplayForm", "TAboutBox"}));
        QCOMPARE(menuNames, (QStringList{"Etna", "Vesuvius", "Krakatoa"}));
        QCOMPARE(pageText, QStringLiteral("Vesuvius"));
        QCOMPARE(m_state.CurrentTopicTitle, QStringLiteral("Vesuvius"));
        QVERIFY(backdropUnderMenu);
        QCOMPARE(helpDuringMenu, m_dir->filePath(QStringLiteral("List.hlp")));
        // Afterwards: the program's own help file, no backdrop.
        QCOMPARE(m_dialogs->helpFile(), m_state.HelpFilePath);
        QVERIFY(!screens.backdrop());
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void preview_menuScreenOff_onlyTopicListComesBack()
    {
        m_state.Settings.UseMenuScreen = false;
        m_state.Settings.Presentation.UseAboutBox = true; // not shown in this mode
        runtime::WindowPreviewScreens screens(m_state, nullptr);
        int selectedOnReturn = -1;
        QString caption;
        ModalScript script({
            {QStringLiteral("TStudyTopicsForm"),
             [&](QWidget* list) {
                 caption = list->windowTitle();
                 list->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(0);
                 Press(list, "OKBitBtn");
             }},
            {QStringLiteral("TShowHTextForm"), [](QWidget* page) { QTest::keyClick(page, Qt::Key_Escape); }},
            {QStringLiteral("TStudyTopicsForm"),
             [&](QWidget* list) {
                 selectedOnReturn = list->findChild<QListWidget*>(QStringLiteral("ListBox1"))->currentRow();
                 Press(list, "CancelBitBtn");
             }},
        });
        const storage::StoreTopicSource source(m_state.resolve(m_state.TopicStorePath));
        runtime::PreviewSequence(m_state.Settings, source, screens, m_state).run();
        QVERIFY2(script.done(), qPrintable(script.seen.join(QLatin1Char(','))));
        QCOMPARE(script.seen.size(), 3);
        QCOMPARE(caption, QStringLiteral("Volcanoes"));
        QCOMPARE(selectedOnReturn, 0);
        QCOMPARE(m_dialogs->helpFile(), m_state.HelpFilePath);
    }

    void preview_unreadableStore_restoresHelpAndBackdrop()
    {
        // A directory where the store should be cannot be read as one.
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("VOLCANO.SWR"))));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("VOLCANO.SWR")));
        runtime::WindowPreviewScreens screens(m_state, nullptr);
        const storage::StoreTopicSource source(m_state.resolve(m_state.TopicStorePath));
        QVERIFY_THROWS_EXCEPTION(shell::Error,
                                 runtime::PreviewSequence(m_state.Settings, source, screens, m_state).run());
        QVERIFY(!screens.backdrop());
        QCOMPARE(m_dialogs->helpFile(), m_state.HelpFilePath);
    }

    // The reader program's path: the same sequence and windows over a compiled list.
    void compiledList_menuRunsTopicsFromCompiledFile()
    {
        const QString compiled = publish::CompileStudyList(m_state);
        // Only the compiled file is read: the store goes away.
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("VOLCANO.SWR"))));
        const auto source = publish::CompiledTopicSource::openCompiled(compiled);
        storage::SettingsRecord record = source->settings();
        record.Program.Title = QStringLiteral("From the compiled file");
        runtime::WindowPreviewScreens screens(m_state, nullptr);
        QStringList names;
        QString pageTitle;
        ModalScript script({
            {QStringLiteral("TMenuDisplayForm"),
             [&](QWidget* menu) {
                 auto* list = menu->findChild<QListWidget*>(QStringLiteral("ListBox1"));
                 for (int i = 0; i < list->count(); ++i)
                     names << list->item(i)->text();
                 list->setCurrentRow(0);
                 Press(menu, "OKBitBtn");
             }},
            {QStringLiteral("TShowHTextForm"),
             [&](QWidget* page) {
                 pageTitle = page->windowTitle();
                 page->close();
             }},
            {QStringLiteral("TMenuDisplayForm"), [](QWidget* menu) { Press(menu, "CancelBitBtn"); }},
        });
        runtime::PreviewSequence(record, *source, screens, m_state).run();
        QVERIFY2(script.done(), qPrintable(script.seen.join(QLatin1Char(','))));
        QCOMPARE(names, (QStringList{"Etna", "Vesuvius", "Krakatoa"}));
        QCOMPARE(pageTitle, QStringLiteral("Etna"));
        QCOMPARE(m_state.CurrentTitle, QStringLiteral("From the compiled file"));
    }

    void viewEditedPage_opensPageWindowOfItsMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("window");
        QTest::newRow("text only") << 1 << QStringLiteral("TShowHTextForm");
        QTest::newRow("graphic and text") << 2 << QStringLiteral("TTxtVPDispForm");
    }
    void viewEditedPage_opensPageWindowOfItsMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, window);
        m_state.CurrentTopicTitle = QStringLiteral("Etna");
        QString caption;
        ModalScript script({{window, [&](QWidget* page) {
                                 caption = page->windowTitle();
                                 page->close();
                             }}});
        runtime::ViewEditedPage(mode, storage::TopicDisplayRecord(), {QStringLiteral("{\\rtf1 Etna\\par}")},
                                m_state, nullptr);
        QVERIFY2(script.done(), qPrintable(script.seen.join(QLatin1Char(','))));
        QCOMPARE(caption, QStringLiteral("Etna"));
    }

    void mainWindow_preview_hidesPanelAndGivesFocusBack()
    {
        shell::TQuorvelForm window(m_state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panel = window.findChild<QFrame*>(QStringLiteral("MenuPnl"));
        QTRY_VERIFY(panel->isVisible());
        auto* button = window.findChild<QPushButton*>(QStringLiteral("PreViewBtn"));
        QVERIFY(button->isEnabled());
        bool panelHidden = false;
        QString menuTitle;
        ModalScript script({
            {QStringLiteral("TMenuDisplayForm"),
             [&](QWidget* menu) {
                 panelHidden = !panel->isVisible();
                 menuTitle = menu->windowTitle();
                 Press(menu, "CancelBitBtn");
             }},
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(script.done(), qPrintable(script.seen.join(QLatin1Char(','))));
        QVERIFY(panelHidden);
        QCOMPARE(menuTitle, QStringLiteral("Volcanoes"));
        QCOMPARE(m_state.CurrentTitle, QStringLiteral("Volcanoes"));
        QVERIFY(panel->isVisible());
        QCOMPARE(window.focusWidget(), button);
        QCOMPARE(m_dialogs->helpFile(), m_state.HelpFilePath);
        QVERIFY(m_dialogs->errors.isEmpty());
    }

    void mainWindow_previewFailure_reportedPanelBack()
    {
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("VOLCANO.SWR"))));
        WriteAll(m_dir->filePath(QStringLiteral("VOLCANO.SWR")), Store());
        shell::TQuorvelForm window(m_state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panel = window.findChild<QFrame*>(QStringLiteral("MenuPnl"));
        QTRY_VERIFY(panel->isVisible());
        // The store goes away after the buttons were enabled, and a directory takes its place.
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("VOLCANO.SWR"))));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("VOLCANO.SWR")));
        window.preview();
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(panel->isVisible());
        QCOMPARE(window.focusWidget(), window.findChild<QPushButton*>(QStringLiteral("PreViewBtn")));
        QCOMPARE(m_dialogs->helpFile(), m_state.HelpFilePath);
        QVERIFY(!window.findChild<runtime::TTutBackForm*>());
    }
};

QTEST_MAIN(TestPreviewWindows)
#include "tst_previewwindows.moc"
