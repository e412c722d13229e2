#include "runtime/mediapicture.h"

#include <QImageReader>

namespace runtime {

namespace {

// Pictures larger than this on a side are refused before any pixel is allocated.
constexpr int kMaxPictureSide = 20000;

} // namespace

QImage LoadMediaPicture(const QString& path, QSize target)
{
    QImageReader reader(path);
    const QSize stored = reader.size();
    if (stored.isValid() && (stored.width() > kMaxPictureSide || stored.height() > kMaxPictureSide))
        return {};
    // Readers that can (JPEG) decode straight at the smaller size; others scale after reading.
    if (stored.isValid() && target.isValid() && !target.isEmpty())
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (target.isValid() && !target.isEmpty() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace runtime
