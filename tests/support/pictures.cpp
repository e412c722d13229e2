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
