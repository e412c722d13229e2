#pragma once

#include "platform/dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace platform {

// The font chooser: face, size, style and the colour of the text in one dialog, so that one choice
// gives a bar or box both its face and its text colour. The faces are the screen fonts as the page
// editor lists them (plain names, substituted faces as themselves); a face that is not installed
// stays in the list under its own name, so a font text from elsewhere keeps it. The colour list
// holds the sixteen basic colours; "&Other..." takes any colour, which joins the list as "Custom".
class FontColorDialog : public QDialog
{
    Q_OBJECT
public:
    FontColorDialog(const QFont& initial, const QColor& initialColor, QWidget* parent = nullptr);

    FontChoice choice() const;
    QColor color() const;
    // Selects the colour in the list, adding it as "Custom" when it is none of the basic ones.
    void setColor(const QColor& color);

private:
    void createControls();
    void createLayout();
    void showFont(const QFont& font);
    void chooseOtherColor();
    void showSample();

    QListWidget* FontList = nullptr;
    QComboBox* SizeBox = nullptr;
    QCheckBox* BoldChk = nullptr;
    QCheckBox* ItalicChk = nullptr;
    QCheckBox* UnderlineChk = nullptr;
    QCheckBox* StrikeOutChk = nullptr;
    QComboBox* ColorBox = nullptr;
    QPushButton* OtherColorBtn = nullptr;
    QLabel* SampleLbl = nullptr;
};

} // namespace platform
