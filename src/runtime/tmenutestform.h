#pragma once

#include "runtime/menuscreenform.h"

class QLabel;
class QLineEdit;

namespace shell {
struct AppState;
}

namespace runtime {

// The menu test window: the Topic menu screen drawn from the designer's working copies, with an
// empty panel where the Topic names would be. The window sees keys before its controls: Esc,
// Enter ("&OK") and Ctrl+Q close it, Ctrl+H opens the Study List's help and Ctrl+A its about box
// when the menu bar offers them. "&Find" only reveals the "Find :" field. Closing it makes the
// program's own help file the help file again.
class TMenuTestForm : public MenuScreenForm
{
    Q_OBJECT
public:
    // Files resolve in the state's working directory; the program's own help file is the state's.
    TMenuTestForm(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& presentation,
                  const storage::ProgramSettings& program, const shell::AppState& state,
                  QWidget* parent = nullptr);

    void done(int result) override;

protected:
    bool keyPreview(QKeyEvent* key) override;

private:
    void FindtBtnClick();

    QString m_ownHelpFile;
    QFrame* Panel2 = nullptr;
    QLabel* FindLbl = nullptr;
    QLineEdit* Edit1 = nullptr;
};

// Shows the menu test window modally; changes nothing.
void ShowMenuTest(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& presentation,
                  const storage::ProgramSettings& program, const shell::AppState& state,
                  QWidget* parent = nullptr);

} // namespace runtime
