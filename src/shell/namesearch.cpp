#include "shell/namesearch.h"

#include <algorithm>

namespace shell {

int SearchNames(const QStringList& names, int mode, FindState& state)
{
    if (mode == FindCancelled)
        return -1;
    if (mode == FindFirst)
        state.lastFound = -1;
    const QString wanted = state.lastText.toUpper();
    for (qsizetype i = std::max(0, state.lastFound + 1); i < names.size(); ++i) {
        if (names[i].toUpper().contains(wanted)) {
            state.lastFound = int(i);
            return int(i);
        }
    }
    return -1;
}

} // namespace shell
