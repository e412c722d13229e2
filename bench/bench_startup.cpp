// Timed program: how long the authoring program and the reader take from their start to their
// first painted window, against a bare Qt window program (bench_bare_window) started the same
// way, runs taken in turn so that the machine's load falls on all three alike. Each program runs
// with QUORVEL_STARTUP_PROBE set, which makes it print "painted" and end at its first paint.
// The reader presents a one-Topic list compiled here. Needs a display (Xvfb will do).
// Target: each ratio at most 1.5; the exit status is 1 when one is above it.
//
// Usage: bench_startup [--repeat R]

#include "publish/compiler.h"
#include "publish/storetext.h"
#include "shell/appstate.h"
#include "shell/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDefaultRepeat = 9;
constexpr double kTargetRatio = 1.5;
constexpr int kTimeoutMs = 60000;

struct Program
{
    const char* label;
    QString path;
    QStringList arguments;
    std::vector<double> milliseconds;
};

// Milliseconds from the start of the process to its "painted" line.
double TimeToFirstPaint(const Program& program, const QString& directory)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVEL_STARTUP_PROBE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program.path, program.arguments);
    QByteArray out;
    while (!out.contains("painted")) {
        if (!process.waitForReadyRead(kTimeoutMs))
            qFatal("%s did not paint a window: %s", program.label, process.readAllStandardError().constData());
        out += process.readAllStandardOutput();
    }
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    process.waitForFinished(kTimeoutMs);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString CompileOneTopicList(const QString& folder)
{
    shell::AppState state;
    state.ProgramDirectory = QStringLiteral(QUORVEL_BENCH_BIN_DIR "/");
    state.WorkingDirectory = folder + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("START.SWJ");
    state.TopicStorePath = QStringLiteral("START.SWR");
    state.Settings.Program.Title = QStringLiteral("Start-up");
    QFile store(state.WorkingDirectory + state.TopicStorePath);
    if (!store.open(QIODevice::WriteOnly) || store.write(PageEntryText("First page", 1, {"{\\rtf1 Hello}"})) < 0)
        qFatal("cannot write the topic store");
    store.close();
    return publish::CompileStudyList(state);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int repeat = kDefaultRepeat;
    const QStringList arguments = QCoreApplication::arguments();
    if (const auto at = arguments.indexOf(QStringLiteral("--repeat")); at >= 0 && at + 1 < arguments.size())
        repeat = std::max(1, arguments.at(at + 1).toInt());

    QTemporaryDir dir;
    const QString list = CompileOneTopicList(dir.path());
    const QString benchDir = QCoreApplication::applicationDirPath();
    std::vector<Program> programs{
        {"bare Qt window", benchDir + QStringLiteral("/bench_bare_window"), {}, {}},
        {"quorvel", QStringLiteral(QUORVEL_BENCH_BIN_DIR "/quorvel"), {}, {}},
        {"meridox.exe", QStringLiteral(QUORVEL_BENCH_BIN_DIR "/meridox.exe"), {list}, {}},
    };
    // One run of each first, untimed, so that every program meets a warm file cache.
    for (Program& program : programs)
        TimeToFirstPaint(program, dir.path());
    for (int run = 0; run < repeat; ++run)
        for (Program& program : programs)
            program.milliseconds.push_back(TimeToFirstPaint(program, dir.path()));

    const double bare = Median(programs.front().milliseconds);
    bool withinTarget = true;
    std::printf("start to first painted window, median of %d runs\n", repeat);
    for (const Program& program : programs) {
        const double median = Median(program.milliseconds);
        const double ratio = median / bare;
        std::printf("  %-16s %8.1f ms  ratio %.2f\n", program.label, median, ratio);
        withinTarget = withinTarget && ratio <= kTargetRatio;
    }
    std::printf("target: ratio at most %.1f: %s\n", kTargetRatio, withinTarget ? "met" : "NOT met");
    return withinTarget ? 0 : 1;
}
