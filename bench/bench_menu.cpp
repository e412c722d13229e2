// Timed program: how long the reader takes from opening a compiled 10,000-Topic list to its Topic
// menu on the screen (target: under a second). It compiles a generated list, then times opening
// it, listing the names, making the menu window and showing it until it has been painted, and
// prints each step and the total against the target. Run offscreen or under a display.
//
// Usage: bench_menu [--topics N]

#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "runtime/tmenudisplayform.h"
#include "shell/appstate.h"
#include "storage/topicstore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kDefaultTopics = 10000;
constexpr double kTargetSeconds = 1.0;

void WriteStore(const QString& path, int topics)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot create %s", qPrintable(path));
    QByteArray out;
    for (int t = 0; t < topics; ++t) {
        const QByteArray name = "Topic number " + QByteArray::number(t) + " about the earth";
        out += "[" + name + "]\r\nsource=HYPER\r\ntype=8\r\ncommand=PAGE" + QByteArray::number(t) +
               ".HTM\r\n]\r\n\r\n";
    }
    if (file.write(out) != out.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int topics = kDefaultTopics;
    const QStringList arguments = app.arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--topics")); at >= 0 && at + 1 < arguments.size())
        topics = arguments.at(at + 1).toInt();

    QTemporaryDir dir;
    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("EARTH.SWJ");
    state.TopicStorePath = QStringLiteral("EARTH.SWR");
    WriteStore(state.WorkingDirectory + state.TopicStorePath, topics);
    const QString compiled = publish::CompileStudyList(state);

    QElapsedTimer clock;
    clock.start();
    const auto source = publish::CompiledTopicSource::openCompiled(compiled);
    const qint64 opened = clock.nsecsElapsed();
    const QStringList names = source->names(storage::kTopicKind);
    const qint64 listed = clock.nsecsElapsed();
    runtime::TMenuDisplayForm menu(source->settings(), names, *source, state);
    const qint64 made = clock.nsecsElapsed();
    menu.show();
    if (!QTest::qWaitForWindowExposed(&menu))
        qFatal("the menu window was never shown");
    QApplication::processEvents();
    const qint64 shown = clock.nsecsElapsed();

    const auto seconds = [](qint64 ns) { return double(ns) / 1e9; };
    std::printf("compiled list: %d Topics (%lld bytes)\n", int(names.size()), QFile(compiled).size());
    std::printf("open the compiled list:        %.3f s\n", seconds(opened));
    std::printf("list the names:                %.3f s\n", seconds(listed - opened));
    std::printf("make the menu window:          %.3f s\n", seconds(made - listed));
    std::printf("show and paint it:             %.3f s\n", seconds(shown - made));
    std::printf("total %.3f s, ratio %.2f to the target of %.1f s: %s\n", seconds(shown),
                seconds(shown) / kTargetSeconds, kTargetSeconds, seconds(shown) < kTargetSeconds ? "met" : "NOT met");
    return 0;
}
