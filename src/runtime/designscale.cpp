#include "runtime/designscale.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace runtime {

void ScaleWindowFont(QWidget* window, double scale)
{
    if (scale == 1.0 && !window->testAttribute(Qt::WA_SetFont))
        return;
    // Menus and sub-dialogs are windows of their own, which take no font from their parent unless
    // told to.
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->isWindow())
            child->setAttribute(Qt::WA_WindowPropagation);
    }
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * scale);
    window->setFont(font);
}

void FrameForScale(QWidget* window, double scale)
{
    if ((scale > 1.0) != window->windowFlags().testFlag(Qt::FramelessWindowHint))
        window->setWindowFlag(Qt::FramelessWindowHint, scale > 1.0);
}

void CentreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect place = window->frameGeometry();
    place.moveCenter(screen->availableGeometry().center());
    place.moveTop(std::max(place.top(), screen->geometry().top()));
    window->move(place.topLeft());
}

QAction* AddDesignSizeKey(QWidget* window, const std::function<void()>& toggle)
{
    auto* action = new QAction(window);
    action->setObjectName(QStringLiteral("MDesignSize"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    QObject::connect(action, &QAction::triggered, window, toggle);
    window->addAction(action);
    return action;
}

} // namespace runtime
