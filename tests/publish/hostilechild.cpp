// The child of the hostile-list test: takes the Study List HOSTILE in FOLDER through everything an
// author or a reader can do with it (open, every Topic shown, the preview, compile, executable,
// distribution and publishing in every form into DEST, reading NAME.SWC and NAME.EXE, and every
// list command of the main window) with windows offscreen that are closed as soon as they open and
// every question answered No. Each refusal is printed as "message: ...";
// the exit code is 0 unless something other than a refusal went wrong.
//
// Usage: hostile_child FOLDER DEST
#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "publish/distribution.h"
#include "publish/executable.h"
#include "publish/publisher.h"
#include "runtime/windowpreviewscreens.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/tquorvelform.h"
#include "storage/settings.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

void Say(const QString& message)
{
    std::printf("message: %s\n", qPrintable(message));
}

// One step; a refusal is reported and the next step goes on. Each step's time is printed as
// "step: NAME MS" (flushed, so a parent that kills a stuck child still sees the last one begun).
void Try(const QString& name, const std::function<void()>& step)
{
    std::printf("begin: %s\n", qPrintable(name));
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    try {
        step();
    } catch (const shell::Error& error) {
        Say(error.message());
    }
    std::printf("step: %s %lld\n", qPrintable(name), clock.elapsed());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    ScriptedDialogs dialogs; // every question answered No
    dialogs.onShown = [](const QString& text) { Say(text); };
    // Whatever opens is closed at once: a dialog rejected, any other window closed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || window->property("hostileKeep").toBool())
                continue;
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
            else
                window->close();
        }
    });
    closer.start(20);

    shell::AppState state;
    state.ProgramDirectory = qEnvironmentVariable("QUORVEL_BIN_DIR") + QLatin1Char('/');
    state.WorkingDirectory = args[1] + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("HOSTILE.SWJ");
    // A stranger's list: nothing it names is started.
    state.AskBeforePrograms = true;
    const QString folder = args[1];
    Try(QStringLiteral("read NAME.SWC"), [&] { publish::CompiledTopicSource::openCompiled(folder + QStringLiteral("/HOSTILE.SWC"))->names(storage::kTopicKind); });
    Try(QStringLiteral("read NAME.EXE"), [&] { publish::CompiledTopicSource::openExecutable(folder + QStringLiteral("/HOSTILE.EXE"))->names(storage::kTopicKind); });
    Try(QStringLiteral("open"), [&] { storage::OpenSettings(state); });
    if (!state.hasStudyList())
        return 0;
    const QString store = state.resolve(state.TopicStorePath);
    QStringList names;
    Try(QStringLiteral("list"), [&] { storage::ListEntryNames(names, store, storage::kTopicKind); });
    for (const QString& name : names.mid(0, 50)) {
        Try(QStringLiteral("Topic ") + name.left(40), [&] {
            QStringList entry;
            if (storage::ExtractEntry(store, name, storage::kTopicKind, entry))
                runtime::RunTopicInWindows(entry, state, nullptr);
        });
    }
    Try(QStringLiteral("preview"), [&] { runtime::PreviewStudyList(state, nullptr); });
    Try(QStringLiteral("compile"), [&] { publish::CompileStudyList(state); });
    Try(QStringLiteral("executable"), [&] { publish::BuildExecutable(state); });
    Try(QStringLiteral("distribution"), [&] {
        const QStringList files = publish::GatherDistributionFiles(state.Settings, state.WorkingDirectory, store,
                                                                   [](const QString&) { return true; });
        QStringList present = files;
        for (const QString& missing : publish::MissingFiles(files, state.WorkingDirectory))
            present.removeAll(missing);
        publish::CopyDistributionFiles(present, state.WorkingDirectory, args[2]);
    });
    std::optional<publish::PublishSource> source;
    Try(QStringLiteral("publish source"), [&] { source = publish::PublishSource::fromState(state); });
    for (const QString& form : {QStringLiteral("web"), QStringLiteral("single"), QStringLiteral("scorm12"),
                                QStringLiteral("scorm2004")}) {
        if (source)
            Try(QStringLiteral("publish ") + form,
                [&] { publish::Publish(*source, *publish::PublishFormNamed(form), args[2] + QLatin1Char('/') + form); });
    }

    // Every command of the main window that shows or changes the open list; each first window is
    // closed at once, so what is driven is reading the damaged list into it.
    shell::TQuorvelForm form(state);
    form.setProperty("hostileKeep", true);
    form.show();
    for (const char* name : {"AddBtn", "ImportBtn", "EditBtn", "ViewBtn", "DeleteBtn", "HistoryBtn", "PreViewBtn",
                             "CompileBtn", "ExecBtn", "TestExecBtn", "PublishBtn", "PrintListBtn", "CustListBtn",
                             "CustProgBtn", "ReorgBtn"}) {
        auto* button = form.findChild<QPushButton*>(QLatin1String(name));
        if (button && button->isEnabled())
            Try(QLatin1String(name), [&] { button->click(); });
    }
    return 0;
}
