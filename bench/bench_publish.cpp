// Timed program for the publisher: the 10,000-Topic list of bench_compile published as a web
// folder against compiling it into NAME.SWC, side by side in one run, with the ratio printed
// (target: publishing takes at most 3 times as long as compiling, media aside). The list's picture
// Topics name 2000 small BMP files; converting them is timed on its own and taken off. For where
// the time goes: reading the store's entries alone, converting every page on one thread, and, as
// the converter once did, reading every page into a QTextDocument (alone and in one edit block).
// The processor time counts every thread, so pages converted on two cores cost the same there
// and take less on the clock. Each run publishes into a new folder, as compiling writes a new
// file; publishing again over an earlier publication, which then has its thousands of files
// removed, is timed on its own.
//
// Usage: bench_publish [--topics N] [--repeat R]

#include "benchstore.h"
#include "platform/rtf/rtfwriter.h"
#include "publish/compiler.h"
#include "publish/mediaconvert.h"
#include "publish/pagehtml.h"
#include "publish/publisher.h"
#include "shell/appstate.h"
#include "shell/faces.h"
#include "storage/settingsrecord.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kDefaultTopics = 10000;
constexpr int kDefaultRepeat = 3;
constexpr double kTargetRatio = 3.0;

int ArgumentAfter(const QStringList& arguments, const QString& option, int fallback)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

qint64 FolderSize(const QString& folder, int* files = nullptr)
{
    qint64 size = 0;
    int count = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++count)
        size += QFileInfo(it.next()).size();
    if (files)
        *files = count;
    return size;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    shell::InstallFaceSubstitutions();
    const QStringList arguments = QGuiApplication::arguments();
    const int topics = ArgumentAfter(arguments, QStringLiteral("--topics"), kDefaultTopics);
    const int repeat = std::max(1, ArgumentAfter(arguments, QStringLiteral("--repeat"), kDefaultRepeat));

    QTemporaryDir dir;
    const qint64 storeSize = GenerateStore(dir.filePath(QStringLiteral("BENCH.SWR")), topics);
    storage::SettingsRecord record;
    record.Program.Title = QStringLiteral("Benchmark list");
    QFile settings(dir.filePath(QStringLiteral("BENCH.SWJ")));
    settings.open(QIODevice::WriteOnly);
    settings.write(storage::EncodeSettings(record));
    settings.close();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    for (int t = 0; t < topics; t += 5)
        picture.save(dir.filePath(QStringLiteral("PICTURE%1.BMP").arg(t)), "BMP");
    std::printf("store: %d Topics, %.1f MB\n", topics, double(storeSize) / 1e6);

    shell::AppState state;
    state.WorkingDirectory = dir.path() + QLatin1Char('/');
    state.SettingsPath = QStringLiteral("BENCH.SWJ");
    state.TopicStorePath = QStringLiteral("BENCH.SWR");
    state.Settings = record;
    QDir::setCurrent(dir.path());
    const publish::PublishSource source = publish::PublishSource::fromState(state);

    // Each contender is timed twice: on the clock, and by the processor time it used.
    std::vector<double> compileWall, compileCpu, republishWall, republishCpu, publishWall, publishCpu, mediaWall, mediaCpu, readWall, readCpu,
        pageReadWall, pageReadCpu, entriesWall, entriesCpu, convertWall, convertCpu, filesWall, filesCpu;
    QString web;
    const auto timed = [](std::vector<double>& wall, std::vector<double>& cpu, const std::function<void()>& work) {
        double used = 0;
        wall.push_back(Seconds([&] { used = CpuSeconds(work); }));
        cpu.push_back(used);
    };
    for (int r = 0; r < repeat; ++r) {
        timed(compileWall, compileCpu, [&] { publish::CompileStudyList(state); });
        web = dir.filePath(QStringLiteral("web-%1").arg(r));
        timed(publishWall, publishCpu, [&] { publish::Publish(source, publish::PublishForm::WebFolder, web); });
        if (r > 0)
            timed(republishWall, republishCpu, [&] {
                publish::Publish(source, publish::PublishForm::WebFolder, dir.filePath(QStringLiteral("web-0")));
            });
        // The floor of any converter built on the RTF reader: every page read into a document once.
        const auto readEvery = [&](void (*read)(const QStringList&, QTextDocument*)) {
            source.topics([read](const QStringList& entry) {
                storage::TopicDisplayRecord display;
                QStringList lines;
                storage::ParsePageEntry(entry, display, lines);
                QTextDocument document;
                read(lines, &document);
            });
        };
        timed(readWall, readCpu, [&] { readEvery([](const QStringList& lines, QTextDocument* document) {
                  platform::rtf::LoadRtfLines(lines, document);
              }); });
        timed(pageReadWall, pageReadCpu, [&] { readEvery(publish::ReadPageDocument); });
        // What the file system alone asks for a publication's files: as many empty files made in a
        // new folder (on a disk that reuses freed inodes late, far more than writing their bytes).
        int files = 0;
        FolderSize(web, &files);
        const QString empty = dir.filePath(QStringLiteral("files-%1").arg(r));
        QDir().mkpath(empty);
        timed(filesWall, filesCpu, [&] {
            for (int f = 0; f < files; ++f) {
                QFile file(empty + QStringLiteral("/F%1").arg(f));
                file.open(QIODevice::WriteOnly);
            }
        });
        timed(entriesWall, entriesCpu, [&] { source.topics([](const QStringList&) {}); });
        timed(convertWall, convertCpu, [&] {
            source.topics([](const QStringList& entry) {
                storage::TopicDisplayRecord display;
                QStringList lines;
                storage::ParsePageEntry(entry, display, lines);
                publish::PageLinesToHtml(lines, {});
            });
        });
        // As the publisher converts them: each into a file of its own in a new folder.
        const QString media = dir.filePath(QStringLiteral("media-%1").arg(r));
        QDir().mkpath(media);
        timed(mediaWall, mediaCpu, [&] {
            for (int t = 0; t < topics; t += 5)
                publish::ConvertMedia(dir.filePath(QStringLiteral("PICTURE%1.BMP").arg(t)),
                                      media + QStringLiteral("/PICTURE%1.PNG").arg(t), {});
        });
    }
    std::printf("published: %.1f MB in the web folder\n", double(FolderSize(web)) / 1e6);
    std::printf("%-40s %9s %9s\n", "", "clock", "processor");
    const auto row = [](const char* what, double wall, double cpu) {
        std::printf("%-40s %8.3fs %8.3fs\n", what, wall, cpu);
    };
    const double compile[2] = {Median(compileWall), Median(compileCpu)};
    const double media[2] = {Median(mediaWall), Median(mediaCpu)};
    const double data[2] = {std::max(0.0, Median(publishWall) - media[0]), std::max(0.0, Median(publishCpu) - media[1])};
    row("compile NAME.SWC (CompileStudyList)", compile[0], compile[1]);
    row("publish web folder (Publish)", Median(publishWall), Median(publishCpu));
    if (!republishWall.empty())
        row("  again over an earlier publication", Median(republishWall), Median(republishCpu));
    row("  of which converting the pictures", media[0], media[1]);
    row("publish, media aside", data[0], data[1]);
    row("  the floor: creating as many empty files", Median(filesWall), Median(filesCpu));
    row("reading every page into a QTextDocument", Median(readWall), Median(readCpu));
    row("  the same inside one edit block", Median(pageReadWall), Median(pageReadCpu));
    row("reading the store's entries", Median(entriesWall), Median(entriesCpu));
    row("converting every page (PageLinesToHtml)", Median(convertWall), Median(convertCpu));
    std::printf("ratio publish (media aside) to compile:  %8.2f  %8.2f\n", data[0] / compile[0], data[1] / compile[1]);
    std::printf("target ratio <= %.1f: clock %s, processor %s\n", kTargetRatio,
                data[0] / compile[0] <= kTargetRatio ? "met" : "NOT met",
                data[1] / compile[1] <= kTargetRatio ? "met" : "NOT met");
    return 0;
}
