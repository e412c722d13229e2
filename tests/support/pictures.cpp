#include "pictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

QByteArray EncodeImage(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        qFatal("cannot encode fixture: %s", qPrintable(writer.errorString()));
    return bytes;
}

QByteArray SolidPicture(int width, int height, const QColor& color, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return EncodeImage(image, format);
}

QImage VolcanoPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.6, QColor(230, 170, 90));
    sky.setColorAt(1, QColor(60, 40, 30));
    painter.fillRect(photo.rect(), sky);
    painter.setBrush(QColor(50, 40, 40));
    painter.drawPolygon(QPolygon(
        {QPoint(width / 8, height), QPoint(width / 2, height * 5 / 12), QPoint(width * 7 / 8, height)}));
    painter.end();
    return photo;
}

namespace {

void PutWords(QByteArray& out, std::initializer_list<int> words)
{
    for (const int word : words) {
        out += char(word & 0xFF);
        out += char((word >> 8) & 0xFF);
    }
}

} // namespace

QByteArray SolidMetafile(int width, int height, const QColor& color, bool placeable)
{
    QByteArray records;
    const int low = color.red() | (color.green() << 8);
    const int high = color.blue();
    PutWords(records, {5, 0, 0x020B, 0, 0});                        // SetWindowOrg 0, 0
    PutWords(records, {5, 0, 0x020C, height, width});               // SetWindowExt
    PutWords(records, {7, 0, 0x02FC, 0, low, high, 0});             // CreateBrushIndirect, solid
    PutWords(records, {4, 0, 0x012D, 0});                           // SelectObject 0
    PutWords(records, {7, 0, 0x041B, height, width, 0, 0});         // Rectangle
    PutWords(records, {3, 0, 0x0000});                              // EOF
    const int words = 9 + int(records.size() / 2);
    QByteArray wmf;
    PutWords(wmf, {1, 9, 0x0300, words & 0xFFFF, words >> 16, 1, 7, 0, 0});
    wmf += records;
    if (!placeable)
        return wmf;
    QByteArray header;
    PutWords(header, {0xCDD7, 0x9AC6, 0, 0, 0, width, height, 96, 0, 0});
    int checksum = 0;
    for (qsizetype i = 0; i < header.size(); i += 2)
        checksum ^= uchar(header[i]) | (uchar(header[i + 1]) << 8);
    PutWords(header, {checksum});
    return header + wmf;
}

QByteArray SolidEnhancedMetafile(int width, int height, const QColor& color)
{
    QByteArray records;
    const auto put = [&records](std::initializer_list<qint64> values) {
        for (qint64 value : values) {
            for (int shift = 0; shift < 32; shift += 8)
                records += char((value >> shift) & 0xFF);
        }
    };
    const qint64 colorRef = color.red() | (color.green() << 8) | (color.blue() << 16);
    put({39, 24, 1, 0, colorRef, 0});  // CreateBrushIndirect 1, solid
    put({37, 12, 1});                  // SelectObject 1
    put({37, 12, 0x80000008});         // SelectObject the stock null pen
    put({43, 24, 0, 0, width, height}); // Rectangle
    put({14, 20, 0, 16, 20});          // EOF
    const QByteArray body = records;
    records.clear();
    // The header: bounds in pixels, frame in hundredths of a millimetre, a 96 dpi device.
    put({1, 88, 0, 0, width - 1, height - 1, 0, 0, width * 2540 / 96, height * 2540 / 96, 0x464D4520, 0x10000,
         88 + body.size(), 6});
    records += char(2); records += char(0); records += char(0); records += char(0); // handles, reserved
    put({0, 0, 0, 960, 960, 254, 254});
    return records + body;
}
