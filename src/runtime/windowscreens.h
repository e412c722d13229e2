#pragma once

#include "runtime/topicrunner.h"
#include "storage/settingsrecord.h"



class QWidget;

namespace shell {
struct AppState;
}

namespace runtime {

// The topic runner's screens as real windows: page windows, media shows, program runs, the
// desktop's open and the notes editor.
class WindowTopicScreens : public TopicRunnerScreens
{
public:
    WindowTopicScreens(shell::AppState& state, QWidget* parent) : m_state(state), m_parent(parent) {}
    // The window the Topic ran over takes the keys back: a window manager may leave them with
    // none when a Topic's window and a box over it close one after the other, and a reader
    // without a mouse would be stuck.
    ~WindowTopicScreens() override;

    void showTextPage(const QStringList& entry) override;
    void showDesignedPage(const QStringList& entry) override;
    void showMedia(int type, const QString& value, const QString& caption) override;
    void runProgram(int type, const QString& value) override;
    void openDocument(const QString& file) override;
    void openNotes(const QString& file) override;

    // Pages shown from now on mark these words (folded search words).
    void setMarkedWords(const QStringList& words) { m_marked = words; }

private:
    shell::AppState& m_state;
    QWidget* m_parent;
    QStringList m_marked;
};

// The page editor's "&View": a page being edited shown as the reader will see it, mode 1 in the
// text page window, mode 2 in the page display on its designed screen. Caption: the current Topic
// title.
void ViewEditedPage(int mode, const storage::TopicDisplayRecord& record, const QStringList& pageText,
                    const shell::AppState& state, QWidget* parent);

// Runs one entry with real windows (the "&View a Topic" of the author and the preview's lists).
void RunTopicInWindows(const QStringList& entry, shell::AppState& state, QWidget* parent);

} // namespace runtime
