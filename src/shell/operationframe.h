#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

namespace shell {

struct AppState;

// Runs one operation the way the main window runs every button: the error of a failed operation
// is shown in an error box, and whatever happens the current directory goes back to the Study
// List directory. Returns false when the operation failed.
bool RunGuarded(AppState& state, const std::function<void()>& operation);

// Hides a widget for as long as the guard lives and shows it again on every exit, normal or not.
class HideWhile
{
public:
    explicit HideWhile(QWidget* widget) : m_widget(widget)
    {
        if (m_widget)
            m_widget->hide();
    }
    ~HideWhile()
    {
        if (m_widget)
            m_widget->show();
    }
    HideWhile(const HideWhile&) = delete;
    HideWhile& operator=(const HideWhile&) = delete;

private:
    QPointer<QWidget> m_widget;
};

} // namespace shell
