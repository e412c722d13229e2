#include "runtime/pagetext.h"

#include <QScrollBar>
#include <QTextEdit>

namespace runtime {

void LoadPageText(QTextEdit* edit, const QStringList& lines)
{
    // The lines are shown as they are stored until the rich-text reader takes over here.
    edit->setPlainText(lines.join(QLatin1Char('\n')));
    edit->moveCursor(QTextCursor::Start);
    edit->verticalScrollBar()->setValue(0);
}

} // namespace runtime
