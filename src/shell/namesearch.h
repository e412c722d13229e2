#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// What a list window that offers "&Find" remembers between searches, for as long as it lives, so
// "Find Next" goes on after the last hit of the same window.
struct FindState
{
    int lastFound = -1;
    QString lastText;
};

// The answer of the find dialog.
enum FindMode : int
{
    FindCancelled = 0,
    FindFirst = 1,
    FindNextMode = 2,
};

// The name search shared by every list window, without the dialog: "Find First" starts afresh,
// "Find Next" goes on after the last hit. The first name after the last hit that contains the
// search text (both upper-cased) is the hit and becomes the last hit. Returns the hit, or -1 when
// the dialog was cancelled or nothing matched (the last hit then stays as it was).
int SearchNames(const QStringList& names, int mode, FindState& state);

// The row a list window selects after a search: the hit, or the first row when there is none.
inline int SelectionAfterSearch(int hit)
{
    return hit < 0 ? 0 : hit;
}

} // namespace shell
