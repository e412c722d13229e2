#pragma once

#include "runtime/background.h"

#include <QImage>
#include <QWidget>
#include <optional>

class QLabel;

namespace shell {
class TileImage;
}

namespace runtime {

// The screen area of every designed screen: a colour, with a stretched picture (`Image1`) or a
// tiled wallpaper (`wiaTile1`) laid over it, both hidden until a background asks for them. The
// owner gives the view its component name (`ScreenPnl`, `MainPnl`) and may put its own panels in it.
class BackgroundView : public QWidget
{
    Q_OBJECT
public:
    explicit BackgroundView(QWidget* parent = nullptr);

    // Nothing gives back the default colour of a screen.
    void setColor(std::optional<QColor> color);
    QColor color() const;
    void showStretched(const QImage& picture);
    void showTiled(const QImage& tile);
    // Hides both picture layers; the colour stays.
    void clearPictures();

    BackgroundLayer layer() const { return m_layer; }
    QLabel* picture() const { return m_picture; }
    shell::TileImage* tile() const { return m_tile; }

Q_SIGNALS:
    // A left button press on the area itself or on its picture layers (not on panels put in it).
    void backgroundPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_defaultColor;
    QLabel* m_picture = nullptr;
    shell::TileImage* m_tile = nullptr;
    BackgroundLayer m_layer = BackgroundLayer::None;
};

// Draws a background on the view: decides with PlanBackground, reports a missing or wrong file
// with shell::ShowError (the view keeps the colour), loads the picture scaled for the view's size
// and shows it. A picture file that exists but cannot be decoded leaves the screen colour.
// Returns the plan that was carried out.
BackgroundPlan ShowBackground(BackgroundView* view, const BackgroundFields& fields, const QString& directory,
                              ColourRule rule);

} // namespace runtime
