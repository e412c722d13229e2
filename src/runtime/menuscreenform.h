#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace runtime {

class AuthorPanel;
class BackgroundView;

// The Topic menu screen as the reader sees it, shared by the Topic menu window and the designer's
// menu test window: a 640 x 480 window with an optional menu bar (quit, about, help), title and
// status bars, the menu screen background, the author box and the menu panel. The menu panel
// holds a top strip, the window's own content between two 25-pixel side margins, and a bottom
// strip with the centred command panel ("&Find", "&OK", "&Close"). Subclasses put their content
// in and decide what the buttons and keys do.
class MenuScreenForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kSideMargin = 25;
    static constexpr int kTopStripHeight = 25;
    static constexpr int kBottomStripHeight = 41;
    static constexpr int kCommandPanelWidth = 216;

protected:
    // Copies the three slices; `directory` is the Study List directory (background and icon files).
    MenuScreenForm(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& presentation,
                   const storage::ProgramSettings& program, const QString& directory, QWidget* parent);

    // The factor the design is drawn at (see AppState::designScale); set before buildScreen().
    void setDesignScale(double scale);
    // Draws the whole screen again at another factor (Ctrl+0), keeping it centred.
    void rescale(double scale);
    double designScale() const { return m_scale; }

    // Builds the window around `content`, which goes into the menu panel between the side margins.
    // Called by the subclass constructor once its own controls exist.
    void buildScreen(QWidget* content);
    // Background, caption, menu items and bars, from the copies. Missing background files are
    // reported here, before the window is shown.
    void fillScreen();
    // The author box and the menu panel at their stored places; done when the window is first
    // shown, when the screen area has its final size.
    void placePanels();
    // Puts `button` beside "&Find" in the command panel.
    void addCommandButton(QPushButton* button);
    // Sends the keys of the window and all its controls to keyPreview() first.
    void watchKeys();
    // True when the key was handled and must not reach the control.
    virtual bool keyPreview(QKeyEvent* key) = 0;
    // The height the content takes of the height available between the strips (all of it here).
    virtual int contentHeight(int available) const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    void showAbout();
    void showHelp();

    storage::MenuScreenDesign m_menu;
    storage::PresentationBlock m_presentation;
    storage::ProgramSettings m_program;
    QString m_directory;

    QMenuBar* MainMenu1 = nullptr;
    QAction* MQuit = nullptr;
    QAction* MAbout = nullptr;
    QAction* MHelp = nullptr;
    QLabel* TitlePnl = nullptr;
    QLabel* StatusPnl = nullptr;
    BackgroundView* MainPnl = nullptr;
    AuthorPanel* AuthorPnl = nullptr;
    QFrame* Panel1 = nullptr;
    QWidget* TopStrip = nullptr;
    QFrame* CommandPnl = nullptr;
    QPushButton* FindtBtn = nullptr;
    QPushButton* OKBitBtn = nullptr;
    QPushButton* CancelBitBtn = nullptr;

private:
    void createActions();
    void createControls();
    void layoutMenuPanel();
    void placeAuthorPanel();
    void placeCommandButtons();

    QList<QPushButton*> m_commandButtons;
    QWidget* m_content = nullptr;
    double m_scale = 1.0;
    bool m_placed = false;
};

} // namespace runtime
