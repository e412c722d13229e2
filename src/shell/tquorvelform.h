#pragma once

#include <QMainWindow>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace shell {

struct AppState;
class TileImage;

// The main window: the operations as buttons grouped by purpose, each enabled only when it makes
// sense for the current Study List, each run as a modal step while the button panel is hidden.
class TQuorvelForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TQuorvelForm(AppState& state, QWidget* parent = nullptr);

    // Recomputes the Study List label and the enabled buttons.
    void UpdateButtons();

    // The start-up checks of the first timer tick (advisory, panel shown, focus on Help).
    void startUpChecks();

    // Operations behind the buttons, public so tests can drive them without clicking.
    void newList();
    void selectList();
    void showTutorial();
    void addTopic();
    void importTopics();
    void editTopic();
    void viewTopic();
    void preview();
    void deleteTopic();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void createLayout();
    void centrePanels();
    QPushButton* makeButton(const QString& name, const QString& caption, int helpContext, bool hint = true);
    // The frame of every button: panel hidden while the operation runs, errors shown, panel,
    // focus and waiting panel restored whatever happens.
    void runOperation(QPushButton* button, bool showWait, const std::function<void()>& operation,
                      const std::function<QWidget*()>& focusAfter = {});
    void focusAddOr(QPushButton* fallback);
    void coverWorkArea();
    void showOwnAbout();

    AppState& m_state;
    bool m_fixedBorder = false;
    TileImage* wiaTile1 = nullptr;
    QFrame* MenuPnl = nullptr;
    QLabel* waitpnl = nullptr;
    QLabel* TitlePnl = nullptr;
    QFrame* StatusPnlBox = nullptr;
    QLabel* StatusPnl = nullptr;
    QLabel* ProjectPnl = nullptr;
    QLabel* ProjectLbl = nullptr;
    QTimer* Timer1 = nullptr;

    QPushButton* Newbtn = nullptr;
    QPushButton* SelectBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* ViewBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* HistoryBtn = nullptr;
    QPushButton* PreViewBtn = nullptr;
    QPushButton* CompileBtn = nullptr;
    QPushButton* ExecBtn = nullptr;
    QPushButton* TestExecBtn = nullptr;
    QPushButton* PublishBtn = nullptr;
    QPushButton* PrintListBtn = nullptr;
    QPushButton* CustListBtn = nullptr;
    QPushButton* CustProgBtn = nullptr;
    QPushButton* ReorgBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* TutorBtn = nullptr;
    QPushButton* AboutBtn = nullptr;
    QPushButton* QuitBtn = nullptr;
};

// Where new lists and the Select chooser start: the program directory while it can be written
// (the program runs from its build folder), else the user's documents folder, created when missing.
QString ListsFolder(const QString& programDirectory);

// The process set-up of start-up: program directory, working directory, help file, low-colour
// flag. The window's own part (design origin, caption, buttons) happens in TQuorvelForm.
void InitialiseProcess(AppState& state, const QString& programDirectory);

} // namespace shell
