#pragma once

#include <QStringList>

class QTextEdit;

namespace runtime {

// Puts a page's stored text (its rich-text lines) into a read-only text view, replacing what it
// held, and scrolls to the top. Every page window loads its text through here, so the way the
// lines are read is decided in one place.
void LoadPageText(QTextEdit* edit, const QStringList& lines);

} // namespace runtime
