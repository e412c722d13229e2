#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

namespace runtime {

// The search rules of the notes editor and the tutorial viewer, kept apart from their windows.
// Each works on a document and a cursor whose selection stands for the window's selection; the
// window copies the cursor back after the call.

// Searches `document` for `what` from the end of the cursor's selection to the end of the text.
// When found, the cursor selects the match and the result is true; otherwise the cursor is left
// unchanged. An empty search text finds nothing.
bool FindNext(const QTextDocument& document, QTextCursor& cursor, const QString& what,
              Qt::CaseSensitivity sensitivity);

// One Replace of the notes editor (case-sensitive): when the selection is not exactly `what`,
// FindNext first; when the selection is then exactly `what`, it becomes `with`. With `all`, this
// repeats until nothing more is found after the last replacement, so a replacement that contains
// the search text is never searched again. Returns the number of replacements; nothing changes
// when the text does not occur. All replacements of one call form one undo step.
int ReplaceText(QTextDocument& document, QTextCursor& cursor, const QString& what, const QString& with,
                bool all);

// The tutorial viewer takes a selection of 1 to 29 characters as its new search text; a longer
// or empty selection keeps the previous one.
QString SearchTextFromSelection(const QString& selected, const QString& previous);

constexpr qsizetype kMaxSelectionAsSearchText = 29;

} // namespace runtime
