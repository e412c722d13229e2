#pragma once

#include "design/adjusterform.h"
#include "storage/settingsrecord.h"


class QFrame;
class QLabel;
class QMenuBar;
class QPushButton;

namespace runtime {
class AuthorPanel;
class BackgroundView;
}

namespace design {

// The menu layout adjuster: the topic menu screen with its bars, background, topic list window
// and author box, where the author drags the list window and the author box into place. Works on
// a copy of the menu screen design; menu() gives it back with the new places after a save.
class TMenuAdjustForm : public AdjusterForm
{
    Q_OBJECT
public:
    // Background files resolve in `directory` (the Study List directory); missing ones are
    // reported here, and the adjuster stays usable.
    TMenuAdjustForm(const storage::MenuScreenDesign& menu, const QString& directory,
                    QWidget* parent = nullptr);

    const storage::MenuScreenDesign& menu() const { return m_menu; }

protected:
    bool partPressed(QWidget* widget, Qt::MouseButton button) override;
    void saveLayout() override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createLayout();
    void FormActivate();
    void layoutListWindow();

    storage::MenuScreenDesign m_menu;
    QString m_directory;
    bool m_activated = false;

    QMenuBar* MainMenu1 = nullptr;
    QLabel* TitlePnl = nullptr;
    QLabel* StatusPnl = nullptr;
    runtime::BackgroundView* MainPnl = nullptr;
    runtime::AuthorPanel* AuthorPnl = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* TopStrip = nullptr;
    QFrame* ListArea = nullptr;
    QFrame* BottomStrip = nullptr;
    QFrame* CommandPnl = nullptr;
    QPushButton* FindBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};

// Shows the menu layout adjuster on `menu`; on a save the list window's and (when used) the author
// box's places are stored into `menu` and true is returned. Files resolve in the current directory.
bool AdjustMenuLayout(storage::MenuScreenDesign& menu, QWidget* parent = nullptr);

} // namespace design
