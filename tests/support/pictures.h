#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

// Picture files made by code, so the tests that show or read pictures need no fixture in the
// source tree.

// `image` in the file format `format` ("jpg", "bmp", ...); quality -1 is the writer's default. A
// fixture that cannot be encoded stops the test at once.
QByteArray EncodeImage(const QImage& image, const char* format, int quality = -1);

// A picture file of `width` x `height` pixels in one colour throughout.
QByteArray SolidPicture(int width, int height, const QColor& color, const char* format);

// A landscape for screenshots a person looks at: an evening sky over a dark mountain that rises
// from an eighth of the width on each side to a peak five twelfths down from the top.
QImage VolcanoPhoto(int width, int height);

// A Windows metafile (WMF, without the placeable header, as RTF holds it) of a window `width` x
// `height` units filled with `color`; with `placeable`, the header that .WMF files carry comes
// first, at 96 units per inch.
QByteArray SolidMetafile(int width, int height, const QColor& color, bool placeable);
// An enhanced metafile (EMF) of `width` x `height` pixels at 96 dpi filled with `color`.
QByteArray SolidEnhancedMetafile(int width, int height, const QColor& color);
