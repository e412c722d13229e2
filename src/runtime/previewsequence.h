#pragma once

#include "storage/settingsrecord.h"

#include <QString>
#include <QStringList>

namespace shell {
struct AppState;
}
namespace storage {
class TopicSource;
}

namespace runtime {

// The windows and commands the preview puts up, in the order the sequence calls them. Every call
// but showBackdrop, setHelpFile, restoreHelpFile, hideBackdrop and openDocument is modal and
// returns when the reader is done.
class PreviewScreens
{
public:
    virtual ~PreviewScreens() = default;
    // The whole-screen backdrop (`TTutBackForm`) with the program background; shown without waiting.
    virtual void showBackdrop(const storage::ProgramSettings& program) = 0;
    virtual void hideBackdrop() = 0;
    // Help commands open this file (already resolved in the Study List directory) until
    // restoreHelpFile makes the program's own help file the current one again.
    virtual void setHelpFile(const QString& path) = 0;
    virtual void restoreHelpFile() = 0;
    // An opening or closing command: types 2, 3 and 6 a media show with the caption, 4 and 9 a
    // program run that is waited for.
    virtual void runCommand(int type, const QString& commandLine, const QString& caption) = 0;
    // Hands the file to the desktop to open with its associated program; no waiting.
    virtual void openDocument(const QString& file) = 0;
    virtual void showAboutBox(const storage::AboutBoxSettings& box) = 0;
    virtual void showIntroduction(const storage::SettingsRecord& record, const QStringList& text) = 0;
    // The Topic menu screen; it reads the chosen entries from the source and runs them itself.
    virtual void showTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                               const storage::TopicSource& source) = 0;
    // The pop-up topic list: the chosen index, or -1 when the reader cancels. The source is the
    // one the names come from (the list's search reads it).
    virtual int showTopicList(const QStringList& names, int index, const storage::TopicSource& source) = 0;
    // Hands an entry to the topic runner.
    virtual void runTopic(const QStringList& entry) = 0;
};

// The Topic names in the order readers see them: as stored, or, with `AlphabeticalTopics` set,
// sorted by the rules of the reader's language (QCollator of the current locale) with letter
// case and accents ignored and numbers read as numbers ("Topic 9" before "Topic 10"); names that
// compare equal keep their stored order. The store and the compiled file are never reordered.
QStringList ReaderTopicOrder(const storage::SettingsRecord& record, QStringList names);

// The preview of a Study List, run the way its reader will meet it: backdrop, help file, opening
// command, about box, introduction, Topic menu, about box, closing command; or, with the menu
// screen switched off, only the plain topic list. The program's own help file comes back and the
// backdrop goes away on every exit, also when a screen throws.
class PreviewSequence
{
public:
    // The record is copied; the source and the screens must outlive run().
    PreviewSequence(const storage::SettingsRecord& record, const storage::TopicSource& source,
                    PreviewScreens& screens, shell::AppState& state);

    void run();

    // The plain topic list loop: the list comes back after each Topic with that Topic selected,
    // until the reader cancels.
    void runTopicList();

private:
    void runPresentation();
    // Opening (closing = false) or closing command; an undefined command (empty line) runs nothing.
    void runCommand(const storage::CommandSettings& command, bool closing);

    storage::SettingsRecord m_record;
    const storage::TopicSource& m_source;
    PreviewScreens& m_screens;
    shell::AppState& m_state;
};

} // namespace runtime
