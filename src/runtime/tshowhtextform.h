#pragma once

#include "runtime/pagetext.h"
#include "storage/settingsrecord.h"

#include <QDialog>

class QFrame;
class QPushButton;

namespace shell {
struct AppState;
}

namespace runtime {

// The text page window of a " Text Only" Topic: the page's text in a read-only view with an OK
// button, placed where the author put the text window over the main window's design area.
// "&OK", Enter and Esc close it; the Find and Print buttons beside it carry the stored captions.
// Drawn at the state's design scale around the centre of the design area; Ctrl+0 switches
// between that and the design size.
class TShowHTextForm : public QDialog
{
    Q_OBJECT
public:
    // Caption: the current Topic title; place: the state's design origin plus the record's text
    // window. The record and the lines are copied.
    TShowHTextForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                   const shell::AppState& state, QWidget* parent = nullptr);

    PageTools* tools() const { return m_tools; }
    // Marks the words of a search in the page.
    void setMarkedWords(const QStringList& words);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createLayout();
    void placeWindow();

    storage::TopicDisplayRecord m_record;
    QPoint m_designOrigin;
    double m_screenFit = 1.0;
    double m_scale = 1.0;
    bool m_placed = false;
    PageTextWindow m_text; // the panel "Panel2" with the view "RichEdit1"
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* FindBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    PageTools* m_tools = nullptr;
};

// Shows a text page modally; returns when the reader closes it.
// With `markedWords` (folded search words) those words are marked.
void ShowTextPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                  const shell::AppState& state, QWidget* parent = nullptr, const QStringList& markedWords = {});

} // namespace runtime
