#pragma once

#include "runtime/menuscreenform.h"
#include "runtime/tpagesearchform.h"
#include "shell/namesearch.h"

#include <QStringList>
#include <functional>
#include <memory>

class QListWidget;

namespace shell {
struct AppState;
}
namespace storage {
class TopicSource;
}

namespace runtime {

// The Topic menu window: the designed menu screen of a Study List with its Topic names in the menu
// panel. "&OK", a double click or Enter anywhere in the window runs the selected Topic through the
// topic runner, with the menu staying open underneath; Esc does nothing, so a reader cannot leave
// the list by a stray key; the quit item, "&Close" and the close box end it. "&Search" beside
// "&Find" and Ctrl+Shift+F search the text of every page. The screen is drawn at the state's
// design scale; Ctrl+0 switches between the fit to the screen and the design size.
class TMenuDisplayForm : public MenuScreenForm
{
    Q_OBJECT
public:
    using TopicRun = std::function<void(const QStringList& entry)>;

    // The record is copied when the window is made, so changes elsewhere do not reach it. Entries
    // are read from `source`, which must outlive the window. Background and help files resolve
    // in the state's working directory; with a help file its Help item is shown and the file
    // becomes the help file (whoever shows the menu switches back).
    TMenuDisplayForm(const storage::SettingsRecord& record, const QStringList& names,
                     const storage::TopicSource& source, shell::AppState& state, QWidget* parent = nullptr);

    // How a chosen entry is run; by default the topic runner with real windows over this one.
    void setTopicRunner(TopicRun run) { m_run = std::move(run); }
    // The search to use (kept by whoever shows the menu, so the pages are read once a run); by
    // default the window keeps its own.
    void setTopicSearch(TopicSearch* search) { m_search = search; }

    // Operations behind the controls, public so tests can drive them without clicking.
    void OKBitBtnClick();
    void FindtBtnClick();
    void SearchBtnClick();

    // The name and lines of the last Topic chosen (empty when nothing ran).
    const QString& chosenName() const { return m_chosenName; }
    const QStringList& entryLines() const { return m_entry; }
    const shell::FindState& findState() const { return m_find; }

protected:
    bool keyPreview(QKeyEvent* key) override;
    int contentHeight(int available) const override;

private:
    QStringList m_names;
    const storage::TopicSource& m_source;
    shell::AppState& m_state;
    shell::FindState m_find;
    QString m_chosenName;
    QStringList m_entry;
    TopicRun m_run;
    QListWidget* ListBox1 = nullptr;
    QPushButton* SearchBtn = nullptr;
    std::unique_ptr<TopicSearch> m_ownSearch;
    TopicSearch* m_search = nullptr;
};

// Shows the Topic menu modally, the first name selected; returns when the reader quits it.
void ShowTopicMenu(const storage::SettingsRecord& record, const QStringList& names,
                   const storage::TopicSource& source, shell::AppState& state, QWidget* parent = nullptr,
                   TopicSearch* search = nullptr);

} // namespace runtime
