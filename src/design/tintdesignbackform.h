#pragma once

#include "design/tdesignbackform.h"
#include "storage/settingsrecord.h"

#include <functional>

namespace design {

// Runs the introduction layout adjuster on the working introduction screen (which holds the
// background being designed) and stores what it saved into it; the caller binds the presentation
// block, the Program block and the introduction text it needs.
using IntroAdjuster = std::function<void(storage::ScreenDesign& introScreen, QWidget* parent)>;

// The background designer for the introduction screen: the program variant's rules plus
// "&Adjust Window", which runs the introduction layout adjuster.
class TIntDesignBackForm : public TDesignBackForm
{
    Q_OBJECT
public:
    TIntDesignBackForm(const storage::ScreenDesign& introScreen, IntroAdjuster adjuster,
                       const QString& directory, QWidget* parent = nullptr);

    storage::ScreenDesign introScreen() const;

protected:
    void WindowBtnClick() override;

private:
    storage::ScreenDesign m_screen;
    IntroAdjuster m_adjuster;
};

// The introduction design dialog's text-window "Create/Edit": edits the background of
// `introScreen.Window`; "&Adjust Window" calls `adjuster` on the working copy. Files lie in the
// current directory. On OK `introScreen` takes the result and true is returned.
bool DesignIntroductionBackground(storage::ScreenDesign& introScreen, const IntroAdjuster& adjuster,
                                  QWidget* parent);

} // namespace design
