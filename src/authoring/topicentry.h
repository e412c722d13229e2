#pragma once

#include "storage/settingsrecord.h"

#include <QString>
#include <QStringList>

// The rules of the Topic entry dialog that need no window: what a Topic of each type holds while
// it is being entered, how an extracted entry is loaded into it, what "&Save" does with it and how
// the result reaches the topic store. THypMenuForm is the thin window over these.
namespace authoring {

// The Topic type codes the entry dialog produces.
enum TopicType : int
{
    kTypeText = 1,
    kTypeGraphic = 2,
    kTypeWave = 3,
    kTypeProgram = 4,
    kTypeGraphicText = 5,
    kTypeGraphicSound = 6,
    kTypeVideo = 7,
    kTypeMidi = 8,
    kTypeWindowsProgram = 9,
    kTypeHtml = 10,
    kTypeNotes = 13,
};

// No content confirmed yet.
inline constexpr int kNoType = 0;

// A Topic name is at most this long.
inline constexpr int kMaxTopicNameLength = 60;

// The dialog's state for one Topic: its type as checked and as last confirmed through an "Add"
// button, and the content of every type (a page, or a command value and the files it was built
// from). Switching type keeps the content of the others, so switching back finds it again.
struct TopicEntry
{
    bool editMode = false;
    QString oldName; // the name of the Topic being edited; empty when adding
    int selectedType = kTypeText;
    int chosenType = kNoType;
    storage::TopicDisplayRecord record;
    QStringList pageText; // RTF lines of types 1 and 5
    QString commandValue; // the "command=" value the last picker returned
    QString graphicFile;  // types 2 and 6
    int duration = 0;     // tenths of a second, types 2 and 6
    QString soundFile;    // type 6
    QString waveFile;
    QString videoFile;
    QString midiFile;
    QString programCommand; // types 4, 9 and 10
};

// The two characters after the first "=" of the "type=" line (index 2), as a number; 0 when the
// line is missing or holds no number.
int EntryTypeCode(const QStringList& extracted);

// Everything after the first "=" of index 3; empty when there is no such line.
QString EntryCommandValue(const QStringList& extracted);

// An existing Topic, from its extracted entry (topicops.h), ready to be edited: the old name, the
// type code as both the selected and the chosen type, and the page or command parts of that
// type. The store may have been written by anyone: missing lines and bad numbers give empty
// parts and 0, never a failure.
TopicEntry LoadTopicEntry(const QStringList& extracted);

// The file a picker opens with: `current` when it names a file of the Study List directory
// (letter case ignored), else the first file there matching the patterns tried in turn, else
// empty.
QString KeepOrPropose(const QString& directory, const QString& current, const QStringList& patterns);

// What "&Save" hands to the store.
struct TopicSave
{
    bool replace = false; // replace (oldName) in place; else append
    QString name;
    QString oldName;
    int type = kNoType;
    bool page = false; // a page entry (types 1, 5); else a command entry
    QStringList pageText;
    storage::TopicDisplayRecord record;
    QString command;
};

// The outcome of "&Save" once the name has been accepted.
struct SaveDecision
{
    enum Kind
    {
        Write,    // `save` is to be written and the dialog closed
        Refuse,   // `message` is shown and the dialog stays open
        StayOpen, // a command type without a value: the dialog stays open, nothing is shown
    };
    Kind kind = StayOpen;
    QString message;
    TopicSave save;
};

// The save rule for a non-empty name that passed the name check: a type without confirmed content
// is refused, an empty page is refused, a command type without a value stays open, and a notes
// Topic is written whatever its value.
SaveDecision DecideSave(const TopicEntry& entry, const QString& name);

// "The " + caption + " has not been entered".
QString NoNameMessage(const QString& labelCaption);
// "The Link " + name + " is already in use".
QString NameInUseMessage(const QString& name);

// Writes the Topic through the store operations: appended when new, replaced where it stands when
// edited. Failures throw shell::Error and leave the store as it was.
void WriteTopic(const QString& store, const TopicSave& save);

} // namespace authoring
