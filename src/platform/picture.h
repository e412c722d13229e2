#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

// Picture decoding for backgrounds, graphics and icons. Files come from strangers, so every size is
// checked before anything is allocated and a damaged file gives a null image, never a crash or an
// exit.
//
// JPEG data (recognised by its first bytes, whatever the file is called) goes through libjpeg's
// decompression interface. When a target size is given, the picture is decoded at the smallest DCT
// scale (1/8, 1/4, 1/2 or full) whose result still covers the target in both directions: a camera
// photo shown as a 640 x 480 background costs a small fraction of a full decode. Everything else
// (BMP, ICO, PNG, GIF) goes through QImageReader under an allocation limit, except Windows
// metafiles (WMF, EMF), which are drawn at their own size.
namespace platform {

// A picture file larger than this is not read at all.
constexpr qint64 kMaxPictureFileBytes = 256LL * 1024 * 1024;
// No picture may be wider or higher than this: a million-pixel-wide strip is a hostile header, not
// a picture anyone shows.
constexpr int kMaxPictureSide = 65500;
// JPEG frames may be at most this many pixels on each side and in all (before scaling)...
constexpr int kMaxJpegSide = kMaxPictureSide;
constexpr qint64 kMaxJpegPixels = 400LL * 1000 * 1000;
// ...and no decoded picture may hold more pixels than this (4 bytes each).
constexpr qint64 kMaxDecodedPixels = 64LL * 1024 * 1024;
// A BMP, ICO, PNG or GIF may claim at most this many pixels per byte of its file (beyond a
// kSmallPicturePixels allowance): even a flat colour does not compress further in these formats,
// and a file of a few bytes that claims a huge picture would cost the whole decode of nothing.
constexpr qint64 kMaxPixelsPerByte = 1024;
constexpr qint64 kSmallPicturePixels = 1024 * 1024;
// What libjpeg may allocate for its own work (progressive frames keep all coefficients).
constexpr long kMaxJpegWorkBytes = 1024L * 1024 * 1024;

// Null when the file cannot be read, is not a picture, is damaged beyond decoding or too large.
// A JPEG that simply ends early decodes as far as its data goes (libjpeg fills the rest).
QImage LoadPicture(const QString& path, QSize target = {});

// The same for bytes already in memory.
QImage DecodePicture(QByteArrayView data, QSize target = {});

// True when the bytes start like a JPEG stream (the start-of-image marker FF D8).
bool IsJpegData(QByteArrayView head);

// The denominator (1, 2, 4 or 8) of the smallest scale at which a picture of `picture` pixels
// still covers `target` in both directions, rounding scaled sizes up as libjpeg does. An empty or
// invalid target asks for the full size.
int JpegScaleDenominator(QSize picture, QSize target);

} // namespace platform
