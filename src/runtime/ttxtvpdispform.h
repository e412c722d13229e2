#pragma once

#include "runtime/pagetext.h"
#include "storage/settingsrecord.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenuBar;

namespace shell {
struct AppState;
}

namespace runtime {

class BackgroundView;

// The designed page display of a " Graphic and Text" Topic: a 640 x 480 screen with the page's
// own background and its text in a text window placed as designed (or filling the screen). Esc
// or a left click on the background closes it; a click on the text and Enter do not. The text is
// loaded again, from the top, each time the window becomes active. Find and Print, with the stored
// captions, are on the text's context menu and on Ctrl+F and Ctrl+P. The screen is drawn at the
// state's design scale; Ctrl+0 switches between that and the design size.
class TTxtVPDispForm : public QDialog
{
    Q_OBJECT
public:
    // Draws the background at once (missing files are reported here). Caption: the current Topic
    // title; background files resolve in the state's working directory.
    TTxtVPDispForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                   const shell::AppState& state, QWidget* parent = nullptr);

    PageTools* tools() const { return m_tools; }
    // Marks the words of a search in the page.
    void setMarkedWords(const QStringList& words);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createControls();
    void createLayout();
    // Places the text window and loads the text again.
    void FormActivate();
    // Draws the screen at `scale` (1: the design size), centred.
    void applyScale(double scale);

    storage::TopicDisplayRecord m_record;
    QStringList m_pageText;
    const shell::AppState& m_state;
    QMenuBar* MainMenu1 = nullptr;
    QAction* MQuit = nullptr;
    QAction* MHelp = nullptr;
    QAction* MAbout = nullptr;
    QLabel* TitlePnl = nullptr;
    QLabel* StatusPnl = nullptr;
    BackgroundView* ScreenPnl = nullptr;
    PageTextWindow m_text; // the panel "TextPnl" with the view "RichEdit1"
    PageTools* m_tools = nullptr;
    double m_scale = 1.0;
};

// Shows a designed page modally; returns when the reader closes it.
// With `markedWords` (folded search words) those words are marked.
void ShowDesignedPage(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                      const shell::AppState& state, QWidget* parent = nullptr,
                      const QStringList& markedWords = {});

} // namespace runtime
