#include "shell/appstate.h"

#include "shell/filenames.h"
#include "shell/utilities.h"

namespace shell {

QString AppState::resolve(const QString& name) const
{
    return ResolveName(WorkingDirectory, name);
}

QString AppState::listName() const
{
    return BaseName(SettingsPath);
}

} // namespace shell
