// Times bringing documents in: a 100-page Word document (made here with pandoc from Markdown, a
// page being a heading, four paragraphs of about 100 words, a list and a small table) read through
// ImportDocument, and a folder of 50 such short documents made into Topics. Prints the times
// against the targets: under 5 s for the document, 50 Topics for the folder.
#include "authoring/importtopics.h"
#include "platform/rtf/importdocument.h"
#include "storage/topicops.h"
#include "storage/topicstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>

namespace {

QByteArray Page(int n)
{
    QByteArray page = "# Chapter " + QByteArray::number(n) + "\n\n";
    for (int p = 0; p < 4; ++p) {
        for (int w = 0; w < 100; ++w)
            page += (w % 9 == 0 ? "Volcano " : "lava ");
        page += "\n\n";
    }
    page += "- ash\n- pumice\n- basalt\n\n| Name | Height |\n|---|---|\n| Etna | 3357 |\n\n";
    page += "```{=openxml}\n<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>\n```\n\n";
    return page;
}

bool MakeDocx(const QString& folder, const QString& name, int pages)
{
    QByteArray markdown;
    for (int n = 1; n <= pages; ++n)
        markdown += Page(n);
    QFile file(folder + QStringLiteral("/source.md"));
    if (!file.open(QIODevice::WriteOnly) || file.write(markdown) != markdown.size())
        return false;
    file.close();
    QProcess pandoc;
    pandoc.setWorkingDirectory(folder);
    pandoc.start(QStringLiteral("pandoc"), {QStringLiteral("source.md"), QStringLiteral("-o"), name});
    return pandoc.waitForFinished(120'000) && pandoc.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    if (!MakeDocx(dir.path(), QStringLiteral("book.docx"), 100)) {
        std::fputs("bench_import: pandoc is needed to make the documents\n", stderr);
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    const QString error = platform::rtf::ImportDocument(dir.filePath(QStringLiteral("book.docx")), &document);
    const qint64 bookMs = timer.elapsed();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_import: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("100-page DOCX: %lld ms (%d paragraphs; target < 5000 ms) %s\n", static_cast<long long>(bookMs),
                document.blockCount(), bookMs < 5000 ? "met" : "MISSED");

    const QString folder = dir.filePath(QStringLiteral("folder"));
    QDir().mkpath(folder);
    if (!MakeDocx(folder, QStringLiteral("template.docx"), 2))
        return 1;
    for (int n = 1; n <= 50; ++n)
        QFile::copy(folder + QStringLiteral("/template.docx"), folder + QStringLiteral("/lesson%1.docx").arg(n, 2, 10, QLatin1Char('0')));
    QFile::remove(folder + QStringLiteral("/template.docx"));
    QFile::remove(folder + QStringLiteral("/source.md"));
    const QString store = dir.filePath(QStringLiteral("BENCH.SWR"));
    timer.restart();
    const auto result = authoring::ImportTopics(store, authoring::DocumentsInFolder(folder), false);
    const qint64 folderMs = timer.elapsed();
    QStringList names;
    storage::ListEntryNames(names, store, storage::kTopicKind);
    std::printf("folder of 50 DOCX: %lld ms, %lld Topics (target 50) %s\n", static_cast<long long>(folderMs),
                static_cast<long long>(names.size()), names.size() == 50 && result.failures.isEmpty() ? "met" : "MISSED");
    return names.size() == 50 && bookMs < 5000 ? 0 : 2;
}
