#include "runtime/designscale.h"

#include "runtime/pagegeometry.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <QWindow>
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
    // The style keeps the menu bar's items a few fixed pixels apart, which a large font crowds.
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        bar->setStyleSheet(scale == 1.0 ? QString()
                                        : QStringLiteral("QMenuBar::item { padding: %1px %2px; }")
                                              .arg(Scaled(2, scale))
                                              .arg(Scaled(4, scale)));
    }
}

void FrameForScale(QWidget* window, double scale)
{
    const bool frameless = scale > 1.0;
    if (frameless == window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    // Qt puts the frame back on a window that asks for a title bar or frame buttons, and X11
    // window managers draw a title for one that asks for it; so the window gives them up with the
    // frame and takes them back with it.
    static constexpr char kFramed[] = "quorvelFramedFlags";
    constexpr Qt::WindowFlags kFrameParts = Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                                            Qt::WindowContextHelpButtonHint;
    Qt::WindowFlags flags = window->windowFlags();
    if (frameless) {
        window->setProperty(kFramed, int(flags & kFrameParts));
        flags &= ~kFrameParts;
        flags |= Qt::FramelessWindowHint;
    } else {
        flags &= ~Qt::FramelessWindowHint;
        flags |= Qt::WindowFlags(window->property(kFramed).toInt());
    }
    // A shown window is told through its platform window: setWindowFlags() would hide it first,
    // and hiding a dialog ends its exec(), so Ctrl+0 would close the screen instead of redrawing it.
    if (window->isVisible() && window->windowHandle()) {
        window->overrideWindowFlags(flags);
        window->windowHandle()->setFlags(flags);
    } else {
        window->setWindowFlags(flags);
    }
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
