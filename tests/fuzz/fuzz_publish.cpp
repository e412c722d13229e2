// libFuzzer target for what the publisher reads from a list: any bytes are taken as a page's stored
// lines (converted to HTML and its page script), as a settings record (made into the player's
// data), and as a command value of every type. Beyond the sanitizers' checks it aborts when the
// HTML holds an element or attribute the converter never writes, or when a data script holds a
// "<" that could end its <script> element: either would let a list put markup into the page.
#include "fuzzgui.h"
#include "publish/pagehtml.h"
#include "publish/playerdata.h"
#include "storage/settingsrecord.h"

#include <QImage>
#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every tag the converter writes, with only a style, class or picture address as attributes.
bool OnlyKnownMarkup(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>?"));
    static const QRegularExpression allowed(QStringLiteral(
        "^</?(div|p|span|b|i|u|s|sup|sub|br|table|tbody|tr|td|img)"
        "(\\s+(style|class|colspan|rowspan|width|height|alt|src)=\"[^\"<>]*\")*\\s*/?>$"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QString found = it.next().captured();
        if (!allowed.match(found).hasMatch())
            return false;
        // An address is the sink's own or a data: picture, never one the page chose.
        const qsizetype src = found.indexOf(QLatin1String(" src=\""));
        if (src >= 0 && !QStringView(found).sliced(src + 6).startsWith(QLatin1String("media/")))
            return false;
    }
    return true;
}

void CheckScript(const QByteArray& script)
{
    if (script.contains('<'))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Tab stops are measured in the page's faces, which needs the font database.
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    // Store lines are read as Latin-1 text and split at line ends, as the store reader hands them.
    const QString text = QString::fromLatin1(bytes);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));

    int pictures = 0;
    const publish::PageHtml page = publish::PageLinesToHtml(lines, [&pictures](const QImage&) {
        return QStringLiteral("media/PAGE-PICTURE%1.PNG").arg(++pictures);
    });
    if (!page.html.startsWith(QLatin1String("<div class=\"rtf\"")) || !OnlyKnownMarkup(page.html))
        std::abort();
    CheckScript(publish::PageScript(QStringLiteral("0"), page.html));
    publish::SearchScript search;
    search.add(publish::SearchScript::Entry(0, publish::FoldForSearch(text), publish::FoldForSearch(page.plainText)));
    CheckScript(search.pieces().join());

    storage::SettingsRecord record;
    if (storage::DecodeSettings(bytes, record))
        CheckScript(publish::DataScript(QStringLiteral("list"), publish::SettingsToJson(record)));
    const QString value = lines.value(0).left(300);
    for (int type = 1; type <= 13; ++type)
        CheckScript(publish::ScriptJson(publish::CommandParts(type, value)));
    return 0;
}
