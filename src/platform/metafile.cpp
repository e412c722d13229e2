#include "platform/metafile.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace platform {

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
// The two libraries hold the whole drawing as text; a stranger's metafile stays below this.
constexpr qsizetype kMaxMetafileBytes = 32 * 1024 * 1024;
// A placeable metafile's own header comes first; the metafile header states the largest record,
// in 16-bit words, 12 bytes in.
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kWmfHeaderSize = 18;
constexpr qsizetype kMaxRecordOffset = 12;

QByteArray WmfToSvg(QByteArrayView data)
{
    QByteArray copy = data.toByteArray(); // libwmf wants a writable buffer
    // libwmf takes a buffer for the largest record as the header states it, and a stranger's
    // header can state gigabytes. No record is longer than the file, so no more is ever needed.
    const qsizetype header =
        copy.size() >= 4 && qFromLittleEndian<quint32>(copy.constData()) == kPlaceableKey ? kPlaceableSize : 0;
    if (copy.size() < header + kWmfHeaderSize)
        return {};
    char* const maxRecord = copy.data() + header + kMaxRecordOffset;
    const quint32 fileWords = quint32(std::min<qsizetype>(copy.size() / 2, kMaxMetafileBytes / 2));
    if (qFromLittleEndian<quint32>(maxRecord) > fileWords)
        qToLittleEndian<quint32>(fileWords, maxRecord);
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    QByteArray svg;
    wmfD_Rect box{};
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(copy.data()), long(copy.size())) == wmf_E_None &&
        wmf_scan(api, 0, &box) == wmf_E_None) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->bbox = box;
        unsigned int width = 0, height = 0;
        wmf_display_size(api, &width, &height, 96, 96);
        if (width > 0 && height > 0 && width < 65536 && height < 65536) {
            device->width = width;
            device->height = height;
            device->out = wmf_stream_create(api, nullptr);
            const bool played = wmf_play(api, 0, &box) == wmf_E_None;
            char* text = nullptr;
            unsigned long length = 0;
            wmf_stream_destroy(api, device->out, &text, &length);
            if (played && text)
                svg = QByteArray(text, qsizetype(length));
            // wmf_stream_destroy hands over memory of the API's allocator, freed with the API.
        }
    }
    wmf_api_destroy(api);
    return svg;
}

QByteArray EmfToSvg(QByteArrayView data)
{
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.emfplus = true;
    QByteArray copy = data.toByteArray();
    char* text = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), size_t(copy.size()), &text, &length, &options);
    QByteArray svg;
    if (ok && text)
        svg = QByteArray(text, qsizetype(length));
    std::free(text);
    return svg;
}

// An EMF's own size in device pixels: its bounds include their right and bottom edges, which the
// SVG's size leaves out.
QSize EmfBoundsSize(QByteArrayView data)
{
    if (data.size() < 24)
        return {};
    const qint64 width = qint64(qFromLittleEndian<qint32>(data.data() + 16)) - qFromLittleEndian<qint32>(data.data() + 8) + 1;
    const qint64 height = qint64(qFromLittleEndian<qint32>(data.data() + 20)) - qFromLittleEndian<qint32>(data.data() + 12) + 1;
    if (width <= 0 || height <= 0 || width > 1 << 16 || height > 1 << 16)
        return {};
    return QSize(int(width), int(height));
}

} // namespace

MetafileKind MetafileKindOf(QByteArrayView head)
{
    if (head.size() >= 18 && qFromLittleEndian<quint32>(head.data()) == kPlaceableKey)
        return MetafileKind::Wmf;
    if (head.size() >= 44 && qFromLittleEndian<quint32>(head.data()) == 1 &&
        qFromLittleEndian<quint32>(head.data() + 40) == kEmfSignature)
        return MetafileKind::Emf;
    // A bare WMF header: memory or disk metafile, a header of 9 words, version 1 or 3.
    if (head.size() >= 18 && (head[0] == 1 || head[0] == 2) && head[1] == 0 && head[2] == 9 &&
        head[3] == 0 && (head[5] == 1 || head[5] == 3) && head[4] == 0)
        return MetafileKind::Wmf;
    return MetafileKind::None;
}

QByteArray MetafileToSvg(QByteArrayView data, MetafileKind kind)
{
    if (data.size() > kMaxMetafileBytes)
        return {};
    switch (kind) {
    case MetafileKind::Wmf:
        return WmfToSvg(data);
    case MetafileKind::Emf:
        return EmfToSvg(data);
    case MetafileKind::None:
        break;
    }
    return {};
}

QImage RenderMetafile(QByteArrayView data, QSize size, qint64 maxPixels)
{
    const MetafileKind kind = MetafileKindOf(data);
    const QByteArray svg = MetafileToSvg(data, kind);
    if (svg.isEmpty())
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty() && kind == MetafileKind::Emf)
        size = EmfBoundsSize(data);
    if (size.isEmpty())
        size = renderer.defaultSize();
    if (size.isEmpty() || qint64(size.width()) * size.height() > maxPixels)
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace platform
