// libFuzzer target for the picture decoder: any bytes, decoded whole and for a 640 x 480 screen,
// must give a null image or one within the size limits, and never crash or end the process.
#include "platform/picture.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (QSize target : {QSize(), QSize(640, 480), QSize(16, 16)}) {
        const QImage image = platform::DecodePicture(bytes, target);
        if (!image.isNull() && qint64(image.width()) * image.height() > platform::kMaxDecodedPixels)
            std::abort();
    }
    return 0;
}
