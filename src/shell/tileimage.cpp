#include "shell/tileimage.h"

#include <QPaintEvent>
#include <QPainter>

namespace shell {

TileImage::TileImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TileImage::setTile(const QImage& tile)
{
    m_tile = tile;
    update();
}

QImage TileImage::DefaultTile()
{
    constexpr int size = 48;
    QImage tile(size, size, QImage::Format_RGB32);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, size, size);
    ground.setColorAt(0.0, QColor(0x3E, 0x5C, 0x76));
    ground.setColorAt(1.0, QColor(0x35, 0x50, 0x68));
    p.fillRect(tile.rect(), ground);
    // A soft over-and-under weave: two bands each way, lighter where they cross on top.
    const QColor band(0x48, 0x68, 0x84);
    const QColor lit(0x52, 0x74, 0x90);
    for (int i = 0; i < 2; ++i) {
        const int o = i * size / 2 + 6;
        p.fillRect(QRect(0, o, size, 12), band);
        p.fillRect(QRect(o, 0, 12, size), band);
    }
    p.fillRect(QRect(6, 6, 12, 12), lit);
    p.fillRect(QRect(30, 30, 12, 12), lit);
    p.setPen(QPen(QColor(0x2E, 0x46, 0x5C), 1));
    p.drawLine(0, size - 1, size, size - 1);
    p.drawLine(size - 1, 0, size - 1, size);
    return tile;
}

void TileImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_tile.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    painter.drawTiledPixmap(rect(), QPixmap::fromImage(m_tile));
}

} // namespace shell
