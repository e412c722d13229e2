#include "shell/operationframe.h"

#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/utilities.h"

#include <QDialog>
#include <QDir>

namespace shell {

bool RunGuarded(AppState& state, const std::function<void()>& operation)
{
    bool ok = false;
    try {
        operation();
        ok = true;
    } catch (const Error& error) {
        ShowError(error.message());
    } catch (const std::bad_alloc&) {
        ShowError(QStringLiteral("There is not enough memory to complete the operation."));
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    }
    if (!state.WorkingDirectory.isEmpty() && !QDir::setCurrent(state.WorkingDirectory)) {
        ShowError(QStringLiteral("Cannot change to the directory ") +
                  QDir::toNativeSeparators(state.WorkingDirectory));
    }
    return ok;
}

HideWhile::HideWhile(QWidget* widget) : m_widget(widget)
{
    if (!m_widget || !m_widget->isVisible())
        return;
    if (m_widget->isWindow() && qobject_cast<QDialog*>(m_widget)) {
        m_moved = true;
        m_position = m_widget->pos();
        m_widget->move(-32000, -32000);
    } else {
        m_hidden = true;
        m_widget->hide();
    }
}

HideWhile::~HideWhile()
{
    if (!m_widget)
        return;
    if (m_moved) {
        m_widget->move(m_position);
        m_widget->raise();
        m_widget->activateWindow();
    } else if (m_hidden) {
        m_widget->show();
    }
}

} // namespace shell
