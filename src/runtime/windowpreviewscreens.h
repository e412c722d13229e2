#pragma once

#include "runtime/previewsequence.h"

#include <QPointer>
#include <memory>

class QWidget;

namespace shell {
struct AppState;
}

namespace runtime {

class TopicSearch;
class TTutBackForm;

// The preview's screens as real windows: the whole-screen backdrop, the help file switch, the
// opening and closing commands as media shows and program runs, the about box, the introduction,
// the Topic menu, the pop-up topic list and the topic runner. While the backdrop is up every
// window of the sequence is put over it. The preview of the authoring program and the reader
// program both present a Study List through here.
class WindowPreviewScreens : public PreviewScreens
{
public:
    // Files resolve in the state's working directory; the program's own help file is the state's
    // HelpFilePath. `parent` is the window the sequence runs over (may be null).
    WindowPreviewScreens(shell::AppState& state, QWidget* parent);
    ~WindowPreviewScreens() override;

    void showBackdrop(const storage::ProgramSettings& program) override;
    void hideBackdrop() override;
    void setHelpFile(const QString& path) override;
    void restoreHelpFile() override;
    void runCommand(int type, const QString& commandLine, const QString& caption) override;
    void openDocument(const QString& file) override;
    void showAboutBox(const storage::AboutBoxSettings& box) override;
    void showIntroduction(const storage::SettingsRecord& record, const QStringList& text) override;
    void showTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                       const storage::TopicSource& source) override;
    int showTopicList(const QStringList& names, int index, const storage::TopicSource& source) override;
    void runTopic(const QStringList& entry) override;

    // The backdrop while it is up (null before and after).
    TTutBackForm* backdrop() const;

private:
    QWidget* owner() const;
    // The search of the source, made on first use and kept for the run: its pages are read once.
    TopicSearch* searchOf(const storage::TopicSource& source);

    shell::AppState& m_state;
    QPointer<QWidget> m_parent;
    std::unique_ptr<TTutBackForm> m_backdrop;
    std::unique_ptr<TopicSearch> m_search;
};

// "&PreView Program": runs the preview sequence of the current Study List (its settings record
// and its topic store) in real windows over `parent`. Failures of the store or of a screen go on
// to the caller after the help file and the backdrop have been put back.
void PreviewStudyList(shell::AppState& state, QWidget* parent);

} // namespace runtime
