// libFuzzer target for the RTF reader: any bytes are read into a document, which is then written
// back and read again. Beyond the sanitizers' checks it aborts when the writer starts a line with
// "[" or "]" or when a written document does not read back to the same text.
#include "fuzzgui.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"

#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

namespace {

QString RawText(const QTextDocument& document)
{
    return document.toRawText();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    platform::rtf::RtfReader reader;
    if (!reader.read(bytes, &document))
        return 0;
    const QStringList lines = platform::rtf::RtfLines(document);
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('[')) || line.startsWith(QLatin1Char(']')) || line.isEmpty())
            std::abort();
    }
    QTextDocument copy;
    if (!platform::rtf::LoadRtfLines(lines, &copy))
        std::abort();
    if (RawText(copy) != RawText(document))
        std::abort();
    return 0;
}
