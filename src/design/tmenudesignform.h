#pragma once

#include "design/menudesigners.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace design {

// The Topic menu screen: title and status bars, author box, menu bar and its quit caption,
// background and layout, and "&View" to try the screen. Works on copies of the three slices it is
// given; only the menu screen design and the quit caption go back, on "&Save".
class TMenuDesignForm : public QDialog
{
    Q_OBJECT
public:
    TMenuDesignForm(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& block,
                    const storage::ProgramSettings& program, MenuDesigners designers, QWidget* parent = nullptr);

    const storage::MenuScreenDesign& menu() const { return m_menu; }
    // The quit caption of the field, cut to 16 characters.
    QString quitCaption() const;

private:
    void createControls();
    void createLayout();
    // Runs a nested dialog with this one out of sight.
    void nested(const std::function<void()>& dialog);

    storage::MenuScreenDesign m_menu;
    storage::PresentationBlock m_block;
    storage::ProgramSettings m_program;
    MenuDesigners m_designers;
    QCheckBox* topmenuchkbx = nullptr;
    QLineEdit* Edit1 = nullptr;
    QCheckBox* TitleChkBx = nullptr;
    QPushButton* TitleBtn = nullptr;
    QCheckBox* StatusChkBx = nullptr;
    QPushButton* StatusBtn = nullptr;
    QCheckBox* AuthorChkBx = nullptr;
    QPushButton* AuthorBtn = nullptr;
    QPushButton* DesignBtn = nullptr;
    QPushButton* ViewBitBtn = nullptr;
};

// True on Save, when `menu` has taken the design and the slice the quit caption (even with the
// menu bar off). `program` is read only.
bool DesignMenuScreen(storage::MenuScreenDesign& menu, storage::PresentationBlock& block,
                      const storage::ProgramSettings& program, const MenuDesigners& designers,
                      QWidget* parent = nullptr);

} // namespace design
