#include "runtime/pagetext.h"

#include "platform/rtf/rtfwriter.h"

#include <QScrollBar>
#include <QTextEdit>

namespace runtime {

void LoadPageText(QTextEdit* edit, const QStringList& lines)
{
    // Stored page lines are an RTF stream; text that is not RTF shows as it stands.
    platform::rtf::LoadRtfLines(lines, edit->document());
    edit->moveCursor(QTextCursor::Start);
    edit->verticalScrollBar()->setValue(0);
}

} // namespace runtime
