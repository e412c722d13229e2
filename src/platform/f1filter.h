#pragma once

#include <QObject>

class QWidget;

namespace platform {

// One application-wide filter: F1 opens the help topic of the focused control, taken from the
// nearest "helpContext" property up its parents (the control's own, its group's, its dialog's).
class F1Filter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    static int HelpContextOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Gives the widget its help context number.
void SetHelpContext(QWidget* widget, int context);

} // namespace platform
