#include "shell/operationframe.h"

#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/utilities.h"

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

} // namespace shell
