// libFuzzer target for one picture format: the input follows that format's signature
// (QUORVEL_FUZZ_SIGNATURE), so every run reaches its decoder rather than being refused as unknown.
// Like fuzz_picture it aborts when a decoded picture is larger than the limits allow.
#include "fuzzgui.h"
#include "platform/picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The ICO decoder is a plugin, found through the application.
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray signature = QByteArray::fromHex(QUORVEL_FUZZ_SIGNATURE);
    const QByteArray bytes = signature + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    for (QSize target : {QSize(), QSize(640, 480)}) {
        const QImage image = platform::DecodePicture(bytes, target);
        if (!image.isNull() && qint64(image.width()) * image.height() > platform::kMaxDecodedPixels)
            std::abort();
    }
    return 0;
}
