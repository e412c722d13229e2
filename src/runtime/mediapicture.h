#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace runtime {

// The one place the media show loads its pictures (".BMP", ".JPG"), already scaled to `target`
// (the picture is stretched over the window, so its aspect ratio is not kept). A picture that
// cannot be read, or whose stored size is beyond what a screen can show, gives a null image.
QImage LoadMediaPicture(const QString& path, QSize target);

} // namespace runtime
