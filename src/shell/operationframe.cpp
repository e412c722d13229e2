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
    m_hidden = true;
    m_dialog = m_widget->isWindow() && qobject_cast<QDialog*>(m_widget);
    if (m_dialog) {
        m_position = m_widget->pos();
        // QDialog::setVisible(false) would leave exec(); QWidget's own only takes the window off
        // the screen, under any window manager and on Wayland alike.
        m_widget->QWidget::setVisible(false);
    } else {
        m_widget->hide();
    }
}

HideWhile::~HideWhile()
{
    if (!m_widget || !m_hidden)
        return;
    // An explicit position keeps QDialog from centring the window again on the way back.
    if (m_dialog)
        m_widget->move(m_position);
    m_widget->show();
    if (m_dialog) {
        m_widget->raise();
        m_widget->activateWindow();
    }
}

} // namespace shell
