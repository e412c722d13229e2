#pragma once

#include "shell/draft.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace shell {
struct AppState;
}

namespace authoring {

// What the author chose for a draft left by a crash.
enum class DraftChoice { AsItsTopic, AsNewTopic, Discard, Later };

// The offer to bring back a draft: what was being edited and when, the text, and the three
// choices. Closing the window decides nothing: the draft is offered again next time.
class TDraftForm : public QDialog
{
    Q_OBJECT
public:
    explicit TDraftForm(const shell::Draft& draft, QWidget* parent = nullptr);
    DraftChoice choice() const { return m_choice; }

private:
    void createControls(const shell::Draft& draft);
    void createLayout();
    void choose(DraftChoice choice);

    DraftChoice m_choice = DraftChoice::Later;
    QLabel* InfoLbl = nullptr;
    QPlainTextEdit* DraftMemo = nullptr;
    QPushButton* AsTopicBtn = nullptr;
    QPushButton* NewTopicBtn = nullptr;
    QPushButton* DiscardBtn = nullptr;
};

// The text of the draft as the page editor would show it, plain (RTF lines are read first).
QString DraftPlainText(const shell::Draft& draft);

// Carries out the choice for one draft: "as its Topic" replaces the page of the Topic it belonged
// to (or adds it under that name when the Topic is gone), the introduction, or the notes file;
// "as a new Topic" adds a text page named after the owner with " (recovered)". Both and "Discard"
// remove the draft. Failures throw shell::Error and keep the draft.
void BringBackDraft(const shell::Draft& draft, DraftChoice choice, const shell::AppState& state);

// On opening a Study List: offers every draft left in its .history/, one after the other.
void OfferDrafts(const shell::AppState& state, QWidget* parent = nullptr);

} // namespace authoring
