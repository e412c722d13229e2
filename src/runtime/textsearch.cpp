#include "runtime/textsearch.h"

#include <QTextCursor>
#include <QTextDocument>

namespace runtime {

namespace {

// The text of the selection as the user typed it: QTextCursor reports paragraph breaks as
// U+2029, which no search text from a one-line field contains anyway.
QString SelectedText(const QTextCursor& cursor)
{
    return cursor.selectedText();
}

} // namespace

bool FindNext(const QTextDocument& document, QTextCursor& cursor, const QString& what,
              Qt::CaseSensitivity sensitivity)
{
    if (what.isEmpty())
        return false;
    // Start explicitly at the end of the selection: a selection made from right to left has its
    // cursor position at the start, and the search must not find the selected text again.
    QTextCursor from(const_cast<QTextDocument*>(&document));
    from.setPosition(cursor.selectionEnd());
    const QTextDocument::FindFlags flags =
        sensitivity == Qt::CaseSensitive ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    const QTextCursor found = document.find(what, from, flags);
    if (found.isNull())
        return false;
    cursor.setPosition(found.selectionStart());
    cursor.setPosition(found.selectionEnd(), QTextCursor::KeepAnchor);
    return true;
}

int ReplaceText(QTextDocument& document, QTextCursor& cursor, const QString& what, const QString& with,
                bool all)
{
    if (what.isEmpty())
        return 0;
    int replaced = 0;
    bool editing = false;
    for (;;) {
        if (SelectedText(cursor) != what && !FindNext(document, cursor, what, Qt::CaseSensitive))
            break;
        if (SelectedText(cursor) != what)
            break;
        if (!editing) {
            cursor.beginEditBlock();
            editing = true;
        }
        // insertText leaves the cursor after the replacement, so the next search starts there.
        cursor.insertText(with);
        ++replaced;
        if (!all)
            break;
    }
    if (editing)
        cursor.endEditBlock();
    return replaced;
}

QString SearchTextFromSelection(const QString& selected, const QString& previous)
{
    if (!selected.isEmpty() && selected.size() <= kMaxSelectionAsSearchText)
        return selected;
    return previous;
}

} // namespace runtime
