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
// A dialog's own hide() would end the modal loop it is running, so a dialog window is unmapped
// past QDialog (the loop goes on) and mapped again where it was. It keeps its geometry meanwhile,
// so a sub-dialog parented to it still centres where the author was looking.
class HideWhile
{
public:
    explicit HideWhile(QWidget* widget);
    ~HideWhile();
    HideWhile(const HideWhile&) = delete;
    HideWhile& operator=(const HideWhile&) = delete;

private:
    QPointer<QWidget> m_widget;
    bool m_dialog = false;
    bool m_hidden = false;
    QPoint m_position;
};

} // namespace shell
