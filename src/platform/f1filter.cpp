#include "platform/f1filter.h"

#include "platform/helpengine.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

void SetHelpContext(QWidget* widget, int context)
{
    widget->setProperty("helpContext", context);
}

int F1Filter::HelpContextOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant value = w->property("helpContext");
        // A negative number marks a window that has no help of its own, such as the help window.
        if (value.isValid() && value.toInt() < 0)
            return 0;
        if (value.isValid() && value.toInt() > 0)
            return value.toInt();
    }
    return 0;
}

bool F1Filter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        QWidget* focus = QApplication::focusWidget();
        const int context = HelpContextOf(focus ? focus : static_cast<QWidget*>(watched));
        if (context > 0) {
            help().showHelp(context);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
