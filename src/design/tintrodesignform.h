#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QPushButton;

namespace design {

// The introduction background designer as the design dialog calls it: it changes the screen design
// in place on its own confirmation (true then). It sees the program block and the text for its
// preview and layout adjuster.
using IntroBackgroundDesigner = std::function<bool(storage::ScreenDesign& screen,
                                                   const storage::PresentationBlock& block,
                                                   const storage::ProgramSettings& program,
                                                   const QStringList& text, QWidget* parent)>;

// The introduction screen: menu bar (and the captions of its items), title and status bars, and
// the text window on its background. Works on copies; "&OK" hands back the presentation block with
// the new screen design.
class TIntroDesignForm : public QDialog
{
    Q_OBJECT
public:
    TIntroDesignForm(const storage::PresentationBlock& block, const storage::ProgramSettings& program,
                     const QStringList& text, IntroBackgroundDesigner designBackground, QWidget* parent = nullptr);

    // The block copy with the check boxes stored and the screen copy put in.
    storage::PresentationBlock block() const;

private:
    void nested(const std::function<void()>& dialog);

    storage::PresentationBlock m_block;
    storage::ScreenDesign m_screen;
    storage::ProgramSettings m_program;
    QStringList m_text;
    IntroBackgroundDesigner m_designBackground;
    QCheckBox* UseMenuChkBx = nullptr;
    QCheckBox* TitleBarChkBx = nullptr;
    QCheckBox* StatusBarChkBx = nullptr;
    QCheckBox* VPChkBx = nullptr;
};

// True on "&OK", when the block has taken the result.
bool DesignIntroductionScreen(storage::PresentationBlock& block, const storage::ProgramSettings& program,
                              const QStringList& text, const IntroBackgroundDesigner& designBackground,
                              QWidget* parent = nullptr);

} // namespace design
