#include "runtime/mediapicture.h"

#include "platform/picture.h"

namespace runtime {

QImage LoadMediaPicture(const QString& path, QSize target)
{
    // The shared decoder bounds every size before it allocates and decodes a JPEG at the smallest
    // scale that still covers the window.
    QImage image = platform::LoadPicture(path, target);
    if (image.isNull())
        return {};
    if (target.isValid() && !target.isEmpty() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace runtime
