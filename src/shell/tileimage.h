#pragma once

#include <QImage>
#include <QWidget>

namespace shell {

// A picture repeated from the top-left corner, row by row, to fill the widget.
class TileImage : public QWidget
{
    Q_OBJECT
public:
    explicit TileImage(QWidget* parent = nullptr);
    void setTile(const QImage& tile);
    const QImage& tile() const { return m_tile; }

    // The main window's own tile: a quiet woven pattern in slate blue.
    static QImage DefaultTile();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_tile;
};

} // namespace shell
