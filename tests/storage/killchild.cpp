// The child of the kill test: performs step STEP of a fixed sequence of saves on the Study List
// KILL in FOLDER and exits 0, or 1 with the message when the step failed. Every step sets a state
// rather than applying a change (a Topic is appended only when missing, and so on), so running a
// step again after it was killed gives exactly the files a run without the kill gives.
//
// Usage: kill_child FOLDER STEP
#include "publish/compiler.h"
#include "publish/executable.h"
#include "publish/publisher.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "storage/settings.h"
#include "storage/topicops.h"
#include "storage/topicorder.h"
#include "storage/topicstore.h"

#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

// Pages of about 8 KB, so that a store of a few hundred Topics takes a while to write.
QStringList Page(int step)
{
    QStringList lines{QStringLiteral("{\\rtf1\\ansi\\deff0")};
    for (int i = 0; i < 100; ++i)
        lines << QStringLiteral("\\par Step %1 line %2 of the page about the rivers of the world.").arg(step).arg(i);
    lines << QStringLiteral("}");
    return lines;
}

QString TopicName(int n)
{
    return QStringLiteral("Topic %1").arg(n);
}

void RunStep(shell::AppState& state, int step)
{
    const QString store = state.resolve(state.TopicStorePath);
    const QString& kind = storage::kTopicKind;
    QStringList names;
    if (QFileInfo::exists(store))
        storage::ListEntryNames(names, store, kind);
    switch (step % 10) {
    case 0:
        state.Settings.Program.Title = QStringLiteral("Title of step %1").arg(step);
        storage::SaveSettings(state);
        break;
    case 1:
        if (!names.contains(TopicName(step)))
            storage::AppendPageEntry(store, TopicName(step), 1, kind, Page(step), {});
        break;
    case 2:
        if (!names.isEmpty())
            storage::ReplacePageEntry(store, names.front(), names.front(), kind, Page(step), {}, 1);
        break;
    case 3:
        // The Topic appended two steps before.
        storage::DeleteEntry(store, TopicName(step - 2), kind);
        break;
    case 4: {
        // A Topic chosen by name (the same whatever the order) goes to the front, once.
        std::sort(names.begin(), names.end());
        if (names.size() > 1) {
            QStringList order;
            storage::ListEntryNames(order, store, kind);
            const QString moved = names[step % names.size()];
            if (order.front() != moved)
                storage::MoveEntry(store, moved, order.front(), kind);
        }
        break;
    }
    case 5: {
        QStringList intro;
        if (storage::ReadIntroText(store, intro))
            storage::ReplaceIntroEntry(store, {QStringLiteral("Introduction of step %1").arg(step)});
        else
            storage::AppendIntroEntry(store, {QStringLiteral("Introduction of step %1").arg(step)});
        break;
    }
    case 6:
        publish::CompileStudyList(state);
        break;
    case 7:
        publish::BuildExecutable(state);
        break;
    case 8:
        publish::Publish(publish::PublishSource::fromState(state), publish::PublishForm::WebFolder,
                         state.resolve(QStringLiteral("WEB")));
        break;
    case 9:
        publish::Publish(publish::PublishSource::fromState(state), publish::PublishForm::Scorm2004,
                         state.WorkingDirectory);
        break;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // publishing measures the faces of pages
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("Usage: kill_child FOLDER STEP\n", stderr);
        return 2;
    }
    shell::AppState state;
    state.ProgramDirectory = qEnvironmentVariable("QUORVEL_BIN_DIR") + QLatin1Char('/');
    state.WorkingDirectory = args[1] + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("KILL.SWJ");
    state.TopicStorePath = QStringLiteral("KILL.SWR");
    try {
        if (QFileInfo::exists(state.resolve(state.SettingsPath)))
            storage::LoadSettings(state);
        RunStep(state, args[2].toInt());
    } catch (const shell::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
