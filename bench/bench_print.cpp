// Timed program for "Print Stud&y List": prints the 10,000-Topic store the compile benchmark uses
// (about 50 MB) into a PDF file, prints the time and the page count, and checks with pdftotext
// (when it is installed) that the last Topic's text is in the file.
//
// Usage: bench_print [--topics N] [--keep FILE.PDF]   (run with QT_QPA_PLATFORM=offscreen)

#include "benchstore.h"
#include "publish/studylistprint.h"
#include "storage/settingsrecord.h"
#include "storage/storetopicsource.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const auto after = [&](const QString& option, const QString& fallback) {
        const qsizetype at = arguments.indexOf(option);
        return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : fallback;
    };
    const int topics = after(QStringLiteral("--topics"), QStringLiteral("10000")).toInt();

    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("BENCH.SWR"));
    const qint64 size = GenerateStore(store, topics);
    const QString pdf = after(QStringLiteral("--keep"), dir.filePath(QStringLiteral("BENCH.PDF")));
    std::printf("store: %d Topics, %.1f MB\n", topics, double(size) / 1e6);

    storage::SettingsRecord record;
    const storage::StoreTopicSource source(store);
    QElapsedTimer timer;
    timer.start();
    QList<publish::PrintedTopic> contents;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        contents = publish::PrintStudyList(record, source, writer);
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("printed %lld Topics to PDF in %.1f s: %.1f MB, the last Topic on page %d\n",
                static_cast<long long>(contents.size()), seconds, double(QFile(pdf).size()) / 1e6,
                contents.isEmpty() ? 0 : contents.back().page);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        std::printf("pdftotext is not installed; the text was not checked\n");
        return 0;
    }
    // The last Topic is a page Topic whose name heads its text.
    const QString last = contents.isEmpty() ? QString() : contents.back().name;
    const int page = contents.isEmpty() ? 1 : contents.back().page;
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                             QString::number(page + 1), pdf, QStringLiteral("-")});
    text.waitForFinished(600000);
    const QString found = QString::fromUtf8(text.readAllStandardOutput());
    const bool ok = !last.isEmpty() && found.contains(last) && found.contains(QStringLiteral("caldera"));
    std::printf("pdftotext finds \"%s\" and its text on page %d: %s\n", qPrintable(last), page, ok ? "yes" : "NO");
    return ok ? 0 : 1;
}
