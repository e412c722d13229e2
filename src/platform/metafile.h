#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

// Windows metafiles (WMF, with or without the placeable header, and EMF) drawn as pictures:
// libwmf and libemf2svg turn them into SVG, which Qt SVG renders.
namespace platform {

enum class MetafileKind
{
    None,
    Wmf,
    Emf,
};

// What the first bytes say the data is.
MetafileKind MetafileKindOf(QByteArrayView head);

// The metafile as SVG; empty when it cannot be read.
QByteArray MetafileToSvg(QByteArrayView data, MetafileKind kind);

// The metafile drawn on white at `size`, or at its own size (at 96 per inch) when size is empty.
// Null when it cannot be read or the picture would hold more than maxPixels.
QImage RenderMetafile(QByteArrayView data, QSize size = {}, qint64 maxPixels = 64LL * 1024 * 1024);

} // namespace platform
