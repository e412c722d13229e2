#pragma once

#include "platform/dialogs.h"

#include <QDialog>

class QComboBox;
class QFontDialog;
class QLineEdit;
class QPushButton;

namespace platform {

// The font chooser: Qt's font panel with the colour of the text beside it, so that one choice
// gives a bar or box both its face and its text colour. The colour list holds the sixteen basic
// colours; "&Other..." takes any colour, which then joins the list as "Custom".
class FontColorDialog : public QDialog
{
    Q_OBJECT
public:
    FontColorDialog(const QFont& initial, const QColor& initialColor, QWidget* parent = nullptr);

    // The chosen font (its family by plain name; a family left as it was shown keeps the name it
    // came with, so a substituted face such as "MS Sans Serif" survives a change of colour) and
    // the chosen colour.
    FontChoice choice() const;
    QColor color() const;
    // Selects the colour in the list, adding it as "Custom" when it is none of the basic ones.
    void setColor(const QColor& color);

private:
    void createControls(const QFont& initial);
    void createLayout();
    void chooseOtherColor();
    void showSampleColor();

    QFont m_initial;
    QString m_shownFamily;
    QFontDialog* FontPanel = nullptr;
    QComboBox* ColorBox = nullptr;
    QPushButton* OtherColorBtn = nullptr;
    QLineEdit* m_sample = nullptr;
};

} // namespace platform
