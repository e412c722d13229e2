// Times the RTF codec against Qt's own HTML import and export of the same content, in one run:
// reading a document of about 5 MB of RTF into a QTextDocument against QTextDocument::setHtml, and
// writing it back against QTextDocument::toHtml. Prints the times and the ratios (ours / Qt's; a
// ratio at or below 1 meets the target).
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr qsizetype kTargetBytes = 5 * 1024 * 1024;
constexpr int kRounds = 5;

// A page-like document: paragraphs of mixed runs in several faces, sizes and colours, some
// centred, with accented letters and a few characters outside Windows-1252.
void Fill(QTextDocument& document, int paragraphs)
{
    QTextCursor cursor(&document);
    const QStringList faces{QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                            QStringLiteral("Times New Roman")};
    const QList<QColor> colors{Qt::black, Qt::red, Qt::blue, QColor(0, 128, 0)};
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0) {
            QTextBlockFormat block;
            block.setAlignment(p % 7 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
            cursor.insertBlock(block);
        }
        for (int r = 0; r < 4; ++r) {
            QTextCharFormat format;
            format.setFontFamilies({faces[(p + r) % faces.size()]});
            format.setFontPointSize(10 + 2 * ((p + r) % 3));
            format.setFontWeight((p + r) % 2 ? QFont::Bold : QFont::Normal);
            format.setFontItalic(r == 2);
            format.setFontUnderline(r == 3 && p % 3 == 0);
            format.setForeground(colors[(p * 3 + r) % colors.size()]);
            cursor.insertText(QStringLiteral("Paragraph %1 run %2: the caf\u00E9 na\u00EFve r\u00E9sum\u00E9 "
                                             "text of a study page, \u03B1\u03B2\u03B3 and more words. ")
                                  .arg(p)
                                  .arg(r),
                              format);
        }
    }
}

double MedianMs(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    // Size the document so that its RTF is about kTargetBytes.
    QTextDocument probe;
    Fill(probe, 100);
    const qsizetype perParagraph = platform::rtf::WriteRtf(probe).size() / 100;
    const int paragraphs = int(kTargetBytes / std::max<qsizetype>(perParagraph, 1));

    QTextDocument source;
    Fill(source, paragraphs);
    const QByteArray rtf = platform::rtf::WriteRtf(source);
    const QString html = source.toHtml();

    QTextDocument check;
    if (!platform::rtf::ReadRtf(rtf, &check) || check.toRawText() != source.toRawText()) {
        std::fprintf(stderr, "the RTF does not read back to the same text\n");
        return 1;
    }

    const double readRtf = MedianMs([&] {
        QTextDocument document;
        platform::rtf::ReadRtf(rtf, &document);
    });
    const double readHtml = MedianMs([&] {
        QTextDocument document;
        document.setHtml(html);
    });
    const double writeRtf = MedianMs([&] { (void)platform::rtf::WriteRtf(source); });
    const double writeHtml = MedianMs([&] { (void)source.toHtml(); });

    std::printf("document: %d paragraphs, RTF %.2f MB, HTML %.2f MB (UTF-16 chars %lld)\n", paragraphs,
                rtf.size() / 1048576.0, html.toUtf8().size() / 1048576.0,
                static_cast<long long>(html.size()));
    std::printf("read : RTF %8.1f ms  setHtml %8.1f ms  ratio %.2f\n", readRtf, readHtml, readRtf / readHtml);
    std::printf("write: RTF %8.1f ms  toHtml  %8.1f ms  ratio %.2f\n", writeRtf, writeHtml,
                writeRtf / writeHtml);
    return 0;
}
