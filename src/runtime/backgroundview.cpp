#include "runtime/backgroundview.h"

#include "platform/picture.h"
#include "shell/colorref.h"
#include "shell/tileimage.h"
#include "shell/utilities.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace runtime {

BackgroundView::BackgroundView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    m_defaultColor = palette().color(QPalette::Window);

    m_tile = new shell::TileImage(this);
    m_tile->setObjectName(QStringLiteral("wiaTile1"));
    m_tile->hide();

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setScaledContents(true);
    m_picture->hide();
}

void BackgroundView::setColor(std::optional<QColor> color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color.value_or(m_defaultColor));
    setPalette(pal);
}

QColor BackgroundView::color() const
{
    return palette().color(QPalette::Window);
}

void BackgroundView::showStretched(const QImage& picture)
{
    m_tile->hide();
    m_picture->setPixmap(QPixmap::fromImage(picture));
    m_picture->setGeometry(rect());
    m_picture->lower();
    m_picture->show();
    m_layer = BackgroundLayer::Stretched;
}

void BackgroundView::showTiled(const QImage& tile)
{
    m_picture->hide();
    m_tile->setTile(tile);
    m_tile->setGeometry(rect());
    m_tile->lower();
    m_tile->show();
    m_layer = BackgroundLayer::Tiled;
}

void BackgroundView::clearPictures()
{
    m_picture->hide();
    m_picture->clear();
    m_tile->hide();
    m_tile->setTile({});
    m_layer = BackgroundLayer::None;
}

void BackgroundView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_picture->setGeometry(rect());
    m_tile->setGeometry(rect());
}

void BackgroundView::mousePressEvent(QMouseEvent* event)
{
    // Presses on panels inside the view that do not take them (a text window's frame) arrive here
    // too; only the area and its picture layers count.
    QWidget* hit = childAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && (hit == nullptr || hit == m_picture || hit == m_tile)) {
        event->accept();
        Q_EMIT backgroundPressed();
        return;
    }
    QWidget::mousePressEvent(event);
}

BackgroundPlan ShowBackground(BackgroundView* view, const BackgroundFields& fields, const QString& directory,
                              ColourRule rule)
{
    const BackgroundPlan plan = PlanBackground(fields, directory, rule);
    view->clearPictures();
    view->setColor(plan.color ? std::optional<QColor>(shell::ColorRefToQColor(*plan.color)) : std::nullopt);
    if (!plan.message.isEmpty())
        shell::ShowError(plan.message);
    if (plan.layer == BackgroundLayer::None)
        return plan;

    QSize target = view->size();
    if (target.isEmpty()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            target = screen->size();
    }
    // A tile is shown at its own size, so it is always decoded whole.
    const QImage picture =
        platform::LoadPicture(plan.picturePath, plan.layer == BackgroundLayer::Stretched ? target : QSize());
    if (picture.isNull()) {
        view->setColor(shell::ColorRefToQColor(fields.Color));
        return plan;
    }
    if (plan.layer == BackgroundLayer::Stretched)
        view->showStretched(picture);
    else
        view->showTiled(picture);
    return plan;
}

} // namespace runtime
