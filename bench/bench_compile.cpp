// Timed program for the compiler and the compiled-list reader. In one run it:
//  1. generates a topic store of 10,000 Topics (about 50 MB; command and page entries mixed),
//  2. times copying that store file (the program's own CopyFile, and QFile::copy) against
//     compiling it, both into the body alone and into a whole NAME.SWC, and prints the ratios
//     (target: compiling takes at most 1.5 times as long as copying),
//  3. compiles stores of 10,000 and 20,000 Topics in child processes and compares their peak
//     resident memory (target: it does not grow with the store, beyond the 80-byte index records),
//  4. times opening the compiled 10,000-Topic list and listing its names, in process and through
//     the reader program's --list (target: under a second).
//
// Usage: bench_compile [--topics N] [--repeat R] [--reader PATH]

#include "generatedstore.h"
#include "publish/compiledtopicsource.h"
#include "publish/compiler.h"
#include "shell/appstate.h"
#include "shell/atomicfile.h"
#include "shell/utilities.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int kDefaultTopics = 10000;
constexpr int kDefaultRepeat = 5;
constexpr double kTargetRatio = 1.5;
constexpr double kTargetReaderSeconds = 1.0;

double Seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long MaxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Child mode: compile and report the peak resident memory of this process.
int ChildCompile(const QString& store, const QString& body)
{
    publish::CompileStore(store, body);
    std::printf("%ld\n", MaxRssKb());
    return 0;
}

long ChildPeakKb(const QString& store, const QString& body)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-compile"), store, body});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        qFatal("child compile failed");
    return child.readAllStandardOutput().trimmed().toLong();
}

QString ArgumentAfter(const QStringList& arguments, const QString& option, const QString& fallback)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : fallback;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--child-compile"))
        return ChildCompile(arguments[2], arguments[3]);

    const int topics = ArgumentAfter(arguments, QStringLiteral("--topics"), QString::number(kDefaultTopics)).toInt();
    const int repeat = ArgumentAfter(arguments, QStringLiteral("--repeat"), QString::number(kDefaultRepeat)).toInt();
    const QString reader = ArgumentAfter(arguments, QStringLiteral("--reader"),
                                         QStringLiteral(QUORVEL_BENCH_BIN_DIR "/meridox.exe"));

    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("BENCH.SWR"));
    const qint64 storeSize = GenerateStore(store, topics);
    std::printf("store: %d Topics, %.1f MB\n", topics, double(storeSize) / 1e6);

    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("BENCH.SWJ");
    state.TopicStorePath = QStringLiteral("BENCH.SWR");
    state.Settings.Program.Title = QStringLiteral("Benchmark list");

    const QString copyTarget = dir.filePath(QStringLiteral("COPY.SWR"));
    const QString qtCopyTarget = dir.filePath(QStringLiteral("QTCOPY.SWR"));
    const QString body = dir.filePath(QStringLiteral("BENCH.$$$"));
    const QString plainBody = dir.filePath(QStringLiteral("PLAIN.$$$"));
    const QString durableTarget = dir.filePath(QStringLiteral("DURABLE.SWR"));
    std::vector<double> copyTimes, qtCopyTimes, durableTimes, plainTimes, bodyTimes, swcTimes;
    // One untimed round brings the store into the page cache for every contender alike.
    shell::CopyFile(store, copyTarget);
    // Every contender replaces the file its previous round left, as a compile replaces NAME.SWC.
    for (int r = 0; r < repeat; ++r) {
        copyTimes.push_back(Seconds([&] { shell::CopyFile(store, copyTarget); }));
        qtCopyTimes.push_back(Seconds([&] {
            QFile::remove(qtCopyTarget);
            QFile::copy(store, qtCopyTarget);
        }));
        durableTimes.push_back(Seconds([&] {
            shell::AtomicWriter writer(durableTarget);
            shell::AppendFile(writer.device(), store);
            writer.commit();
        }));
        plainTimes.push_back(Seconds([&] {
            QFile out(plainBody);
            out.open(QIODevice::WriteOnly | QIODevice::Truncate);
            publish::CompileStore(store, out, plainBody);
        }));
        bodyTimes.push_back(Seconds([&] { publish::CompileStore(store, body); }));
        swcTimes.push_back(Seconds([&] { publish::CompileStudyList(state); }));
    }
    const double copy = Median(copyTimes);
    const double qtCopy = Median(qtCopyTimes);
    const double durable = Median(durableTimes);
    const double plain = Median(plainTimes);
    const double bodyOnly = Median(bodyTimes);
    const double swc = Median(swcTimes);
    std::printf("copy store (CopyFile, 2 KB blocks):        %7.3f s\n", copy);
    std::printf("copy store (QFile::copy):                  %7.3f s\n", qtCopy);
    std::printf("copy store atomically (AtomicWriter):      %7.3f s\n", durable);
    std::printf("compile body into a plain file:            %7.3f s  ratio %.2f to CopyFile\n", plain, plain / copy);
    std::printf("compile body atomically (CompileStore):    %7.3f s  ratio %.2f to the atomic copy\n", bodyOnly,
                bodyOnly / durable);
    std::printf("compile NAME.SWC (CompileStudyList):       %7.3f s  ratio %.2f to the atomic copy, %.2f to CopyFile\n",
                swc, swc / durable, swc / copy);
    std::printf("target ratio <= %.1f (compiling vs copying, same kind of write): plain %s, atomic %s\n", kTargetRatio,
                plain / copy <= kTargetRatio ? "met" : "NOT met", swc / durable <= kTargetRatio ? "met" : "NOT met");

    // Peak memory against store size, each compile in a fresh process.
    const QString bigStore = dir.filePath(QStringLiteral("BIG.SWR"));
    const qint64 bigSize = GenerateStore(bigStore, topics * 2);
    const long peakSmall = ChildPeakKb(store, dir.filePath(QStringLiteral("SMALL.$$$")));
    const long peakBig = ChildPeakKb(bigStore, dir.filePath(QStringLiteral("BIG.$$$")));
    QFile::remove(bigStore);
    const double indexGrowthKb = double(topics) * publish::kIndexRecordSize / 1024.0;
    std::printf("peak memory: %d Topics (%.1f MB store) %ld KB, %d Topics (%.1f MB store) %ld KB; "
                "growth %ld KB for %.1f MB more store (index records: %.0f KB raw)\n",
                topics, double(storeSize) / 1e6, peakSmall, topics * 2, double(bigSize) / 1e6, peakBig,
                peakBig - peakSmall, double(bigSize - storeSize) / 1e6, indexGrowthKb);

    // The reader: open the compiled list and list its names.
    const QString compiled = publish::CompileStudyList(state);
    qsizetype names = 0;
    const double open = Seconds([&] {
        const auto source = publish::CompiledTopicSource::openCompiled(compiled);
        names = source->names(QStringLiteral("HYPER")).size();
    });
    std::printf("reader in process: open + %lld names in %.3f s\n", static_cast<long long>(names), open);
    if (QFileInfo(reader).isExecutable()) {
        std::vector<double> runs;
        qsizetype lines = 0;
        for (int r = 0; r < 3; ++r) {
            runs.push_back(Seconds([&] {
                QProcess process;
                process.start(reader, {QStringLiteral("--list"), compiled});
                process.waitForFinished(60000);
                lines = process.readAllStandardOutput().count('\n');
            }));
        }
        const double run = Median(runs);
        std::printf("reader program: meridox.exe --list printed %lld lines in %.3f s (target < %.1f s: %s)\n",
                    static_cast<long long>(lines), run, kTargetReaderSeconds, run < kTargetReaderSeconds ? "met" : "NOT met");
    } else {
        std::printf("reader program %s not found; pass --reader PATH\n", qPrintable(reader));
    }
    return 0;
}
