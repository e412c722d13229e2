#pragma once

#include "design/adjusterform.h"
#include "design/tintdesignbackform.h"
#include "runtime/introscreen.h"
#include "storage/settingsrecord.h"

#include <QStringList>

namespace design {

// The introduction layout adjuster: the introduction screen exactly as the reader will see it
// (bars, menu items, background, the text window with the introduction text), where the author
// drags and sizes the text window. Works on a copy of the introduction screen design; screen()
// gives it back with the text window's new place after a save. The full-screen flag is left as it
// was: the design dialog's " Use Text Window" decides it.
class TIntAdjustForm : public AdjusterForm
{
    Q_OBJECT
public:
    // `screen` is the introduction screen being designed and stands in for the block's own
    // IntroScreen; the block gives the captions and the about box, `program` the help file.
    // Background and help files resolve in `directory`; missing ones are reported here.
    TIntAdjustForm(const storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                   const storage::ProgramSettings& program, const QStringList& text, const QString& directory,
                   QWidget* parent = nullptr);

    const storage::ScreenDesign& screen() const { return m_presentation.IntroScreen; }

protected:
    bool partPressed(QWidget* widget, Qt::MouseButton button) override;
    void saveLayout() override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void MHelpClick();
    void FormActivate();

    storage::PresentationBlock m_presentation;
    storage::ProgramSettings m_program;
    QStringList m_text;
    QString m_directory;
    bool m_activated = false;
    runtime::IntroScreenParts m_parts;
};

// Shows the introduction layout adjuster on a copy of `screen`; on a save the text window's place
// (left, top, width, height inside the screen panel) is stored into `screen` and true is returned;
// otherwise `screen` is left alone. Files resolve in the current directory.
bool AdjustIntroductionWindow(storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                              const storage::ProgramSettings& program, const QStringList& text,
                              QWidget* parent = nullptr);

// The adjuster for the introduction background designer's "&Adjust Window", bound to copies of
// the block, the Program block and the text it shows.
IntroAdjuster IntroductionAdjuster(const storage::PresentationBlock& block,
                                   const storage::ProgramSettings& program, const QStringList& text);

// The introduction design dialog's text-window "Create/Edit" (it fits IntroBackgroundDesigner):
// the background designer on `screen`, its "&Adjust Window" running this adjuster with the block,
// the Program block and the text. True on the designer's OK, when `screen` has taken the result.
bool DesignIntroductionWindow(storage::ScreenDesign& screen, const storage::PresentationBlock& block,
                              const storage::ProgramSettings& program, const QStringList& text,
                              QWidget* parent = nullptr);

} // namespace design
