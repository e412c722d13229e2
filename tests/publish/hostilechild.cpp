// The child of the hostile-list test: takes the Study List HOSTILE in FOLDER through everything an
// author or a reader can do with it (open, every Topic shown, the preview, compile, executable,
// distribution into DEST, reading NAME.SWC and NAME.EXE) with windows offscreen that are closed
// as soon as they open and every question answered No. Each refusal is printed as "message: ...";
// the exit code is 0 unless something other than a refusal went wrong.
//
// Usage: hostile_child FOLDER DEST
#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "publish/distribution.h"
#include "publish/executable.h"
#include "runtime/windowpreviewscreens.h"
#include "runtime/windowscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "storage/settings.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

void Say(const QString& message)
{
    std::printf("message: %s\n", qPrintable(message));
}

// One step; a refusal is reported and the next step goes on.
void Try(const std::function<void()>& step)
{
    try {
        step();
    } catch (const shell::Error& error) {
        Say(error.message());
    }
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
            if (!window->isVisible())
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
    Try([&] { publish::CompiledTopicSource::openCompiled(folder + QStringLiteral("/HOSTILE.SWC"))->names(storage::kTopicKind); });
    Try([&] { publish::CompiledTopicSource::openExecutable(folder + QStringLiteral("/HOSTILE.EXE"))->names(storage::kTopicKind); });
    Try([&] { storage::OpenSettings(state); });
    if (!state.hasStudyList())
        return 0;
    const QString store = state.resolve(state.TopicStorePath);
    QStringList names;
    Try([&] { storage::ListEntryNames(names, store, storage::kTopicKind); });
    for (const QString& name : names.mid(0, 50)) {
        Try([&] {
            QStringList entry;
            if (storage::ExtractEntry(store, name, storage::kTopicKind, entry))
                runtime::RunTopicInWindows(entry, state, nullptr);
        });
    }
    Try([&] { runtime::PreviewStudyList(state, nullptr); });
    Try([&] { publish::CompileStudyList(state); });
    Try([&] { publish::BuildExecutable(state); });
    Try([&] {
        const QStringList files = publish::GatherDistributionFiles(state.Settings, state.WorkingDirectory, store,
                                                                   [](const QString&) { return true; });
        QStringList present = files;
        for (const QString& missing : publish::MissingFiles(files, state.WorkingDirectory))
            present.removeAll(missing);
        publish::CopyDistributionFiles(present, state.WorkingDirectory, args[2]);
    });
    return 0;
}
