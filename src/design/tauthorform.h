#pragma once

#include "design/menudesigners.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QWidget;

namespace design {

// The author box of the menu screen: six lines in one font on one colour, and "Adjust Author Box"
// to place it on the screen. Works on its own copy of the whole menu screen design, so an
// adjustment lasts only if this dialog ends with OK.
class TAuthorForm : public QDialog
{
    Q_OBJECT
public:
    TAuthorForm(const storage::MenuScreenDesign& menu, MenuDesigners designers, QWidget* parent = nullptr);

    // The working copy with the lines (cut to 60), font text (cut to 50) and colour of the fields.
    storage::MenuScreenDesign menu() const;

private:
    void chooseFont();
    void chooseColor();
    void paintLines();
    void adjust();

    storage::MenuScreenDesign m_menu;
    MenuDesigners m_designers;
    quint32 m_color = 0;
    quint32 m_textColor = 0;
    QWidget* Panel1 = nullptr;
    std::array<QLineEdit*, 6> m_lines{};
};

// True on OK, when the menu screen design has taken the working copy.
bool EditAuthorBox(storage::MenuScreenDesign& menu, const MenuDesigners& designers, QWidget* parent = nullptr);

} // namespace design
