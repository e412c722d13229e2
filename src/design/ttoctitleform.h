#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace design {

enum class BarKind
{
    Title,
    Status,
};

// The text of a title or status bar, shown in the bar's own font on the bar's colour so the author
// sees the bar as the reader will; "&New Font" and "&Background" change both.
class TTocTitleForm : public QDialog
{
    Q_OBJECT
public:
    // `focusBack`: the font and colour choosers give the focus back to the text (the introduction
    // screen's bars).
    TTocTitleForm(const storage::TextBar& bar, BarKind kind, bool focusBack = false, QWidget* parent = nullptr);

    // The bar with the text, colour and font text of the field (texts cut to 80 and 50).
    storage::TextBar bar() const;

private:
    void chooseFont();
    void chooseColor();
    void paintField();

    storage::TextBar m_bar;
    bool m_focusBack;
    quint32 m_textColor = 0;
    quint32 m_color = 0;
    QLabel* TitleLbl = nullptr;
    QLineEdit* edit1 = nullptr;
};

// The bar changes only on OK.
void EditBarText(storage::TextBar& bar, BarKind kind, QWidget* parent = nullptr);
// The same dialog for the introduction screen's bars.
void EditIntroBarText(storage::TextBar& bar, BarKind kind, QWidget* parent = nullptr);

} // namespace design
