#include "platform/picture.h"

#include "platform/metafile.h"
#include "shell/boundedread.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform {

namespace {

// libjpeg reports fatal errors through error_exit, whose default ends the process. Ours jumps back
// into DecodeJpeg, which gives up on the picture.
struct JpegErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// Warnings (a file that ends early, extraneous bytes) are not worth a word: the picture is shown
// as far as it goes.
void JpegOutputMessage(j_common_ptr) {}

qint64 PixelCount(qint64 width, qint64 height)
{
    return width * height;
}

// Adobe writes CMYK inverted; libjpeg hands it over as stored, so C, M, Y and K read as "how much
// of the colour remains".
void CmykRowToRgb32(uchar* row, int width)
{
    auto* out = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const uchar* p = row + 4 * x;
        const int c = p[0], m = p[1], y = p[2], k = p[3];
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Decodes into *out, which lives in the caller's frame so that nothing with a destructor sits in
// the frame that the error handler jumps back into. False for anything refused or damaged.
bool DecodeJpeg(const uchar* data, unsigned long size, QSize target, QImage* out)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JpegErrorExit;
    errors.pub.output_message = JpegOutputMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        *out = QImage();
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegWorkBytes;
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0 || info.image_height == 0 ||
        info.image_width > JDIMENSION(kMaxJpegSide) || info.image_height > JDIMENSION(kMaxJpegSide) ||
        PixelCount(info.image_width, info.image_height) > kMaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        info.out_color_space = JCS_EXT_BGRX;
#else
        info.out_color_space = JCS_EXT_XRGB;
#endif
    }
    info.scale_num = 1;
    info.scale_denom = JpegScaleDenominator(QSize(int(info.image_width), int(info.image_height)), target);
    jpeg_calc_output_dimensions(&info);
    if (info.output_components != 4 || info.output_width == 0 || info.output_height == 0 ||
        PixelCount(info.output_width, info.output_height) > kMaxDecodedPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (out->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }

    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        JSAMPROW row = out->scanLine(y);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            break; // cannot happen with a memory source, which never suspends
        if (cmyk)
            CmykRowToRgb32(row, out->width());
    }
    // Whatever follows the last scan line is of no interest; finishing could still fail on damaged
    // trailing data and throw away a complete picture.
    jpeg_destroy_decompress(&info);
    return true;
}

QImage DecodeOther(QByteArrayView data)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(int(kMaxDecodedPixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    // A picture that cannot say its size before it is decoded (a BMP with a negative height of
    // fifty million rows is one) is refused rather than decoded blind.
    if (!size.isValid())
        return {};
    const qint64 pixels = PixelCount(size.width(), size.height());
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide || pixels > kMaxDecodedPixels ||
        pixels > kSmallPicturePixels + qint64(data.size()) * kMaxPixelsPerByte)
        return {};
    return reader.read();
}

} // namespace

bool IsJpegData(QByteArrayView head)
{
    // Everything that opens with SOI goes to libjpeg, damaged or not, so that no other JPEG reader
    // sees a stranger's file without our bounds.
    return head.size() >= 2 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8;
}

int JpegScaleDenominator(QSize picture, QSize target)
{
    if (!target.isValid() || target.isEmpty() || !picture.isValid())
        return 1;
    for (int denominator : {8, 4, 2}) {
        const qint64 w = (qint64(picture.width()) + denominator - 1) / denominator;
        const qint64 h = (qint64(picture.height()) + denominator - 1) / denominator;
        if (w >= target.width() && h >= target.height())
            return denominator;
    }
    return 1;
}

QImage DecodePicture(QByteArrayView data, QSize target)
{
    if (data.isEmpty() || data.size() > kMaxPictureFileBytes)
        return {};
    if (IsJpegData(data)) {
        QImage image;
        DecodeJpeg(reinterpret_cast<const uchar*>(data.data()), static_cast<unsigned long>(data.size()), target,
                   &image);
        return image;
    }
    if (MetafileKindOf(data) != MetafileKind::None)
        return RenderMetafile(data, {}, kMaxDecodedPixels);
    return DecodeOther(data);
}

QImage LoadPicture(const QString& path, QSize target)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileBytes)
        return {};
    const QByteArray data = shell::ReadAtMost(file, kMaxPictureFileBytes);
    return DecodePicture(data, target);
}

} // namespace platform
