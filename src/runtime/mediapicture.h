#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace runtime {

// The one place the media show loads its pictures (".BMP", ".JPG"), through the bounded picture
// decoder and already scaled to `target` (the picture is stretched over the window, so its aspect
// ratio is not kept). A picture that cannot be read or decoded (a ".WMF" file, a damaged file, a
// size beyond the decoder's bounds) gives a null image.
QImage LoadMediaPicture(const QString& path, QSize target);

} // namespace runtime
