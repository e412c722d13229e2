#pragma once

#include <QString>
#include <QStringList>

namespace shell {
struct AppState;
}
namespace storage {
class TopicSource;
}

// The topic runner: the one place where a Topic's type code becomes an action. The Topic menu,
// the plain topic list of the preview and the author's "View a Topic" all hand it entries.
namespace runtime {

// What the runner can start. The windows and shows behind it are modal; each call returns when
// the reader is done with it (a document handed to the desktop returns at once).
class TopicRunnerScreens
{
public:
    virtual ~TopicRunnerScreens() = default;
    // Page Topics get the whole entry: its key lines hold the topic display record, the rest the
    // page text.
    virtual void showTextPage(const QStringList& entry) = 0;     // type 1
    virtual void showDesignedPage(const QStringList& entry) = 0; // type 5
    // Types 2, 3, 6, 7 and 8, with the command value and the window caption.
    virtual void showMedia(int type, const QString& value, const QString& caption) = 0;
    // Types 4 and 9: start the program and wait for it to end.
    virtual void runProgram(int type, const QString& value) = 0;
    // Type 10: hand the file to the desktop; no waiting.
    virtual void openDocument(const QString& file) = 0;
    // Type 13.
    virtual void openNotes(const QString& file) = 0;
};

// Line 2 "type=N": the (at most) two characters after the first "=", read as a decimal number;
// 0 when the entry has no such line or the text is no number.
int TopicTypeCode(const QStringList& entry);

// Line 0 without its brackets when it starts with "[" (the first and the last character dropped).
QString TopicTitle(const QStringList& entry);

// Line 3 after its first "=" (a line without "=" is taken whole); empty when there is no line 3.
QString TopicCommandValue(const QStringList& entry);

// Reads the named Topic from the source for the runner, its name line without brackets. False
// when the source has no such Topic. Failures of the source go on to the caller.
bool ReadTopicEntry(const storage::TopicSource& source, const QString& name, QStringList& entry);

// Runs one entry: sets AppState::CurrentTopicTitle and starts what the type code calls for. Codes
// other than 1 to 10 and 13 do nothing. Failures of the screens go on to the caller.
void RunTopic(const QStringList& entry, TopicRunnerScreens& screens, shell::AppState& state);

} // namespace runtime
