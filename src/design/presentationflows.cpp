#include "design/presentationflows.h"

#include "authoring/windowmediaactions.h"
#include "design/tcfgdesignbackform.h"
#include "design/tintadjustform.h"
#include "design/tintroentryform.h"
#include "design/tmenuadjustform.h"
#include "design/tmenudesignbackform.h"
#include "design/tprogconfigform.h"
#include "design/tstudycustomform.h"
#include "runtime/tmenutestform.h"
#include "shell/appstate.h"
#include "storage/settings.h"

namespace design {

namespace {

MenuDesigners WindowMenuDesigners(const shell::AppState& state)
{
    MenuDesigners designers;
    designers.designBackground = DesignMenuBackground;
    designers.adjustLayout = [](storage::MenuScreenDesign& menu, QWidget* parent) {
        return AdjustMenuLayout(menu, parent);
    };
    designers.viewMenu = [&state](const storage::MenuScreenDesign& menu, const storage::PresentationBlock& block,
                                  const storage::ProgramSettings& program, QWidget* parent) {
        runtime::ShowMenuTest(menu, block, program, state, parent);
    };
    return designers;
}

PresentationDesigners WindowPresentationDesigners(const shell::AppState& state, QWidget* parent)
{
    PresentationDesigners designers;
    designers.media = authoring::WindowMediaActions(state, parent);
    designers.designBackground = DesignProgramBackground;
    designers.designIntroduction = [&state](storage::PresentationBlock& block, storage::ProgramSettings& program,
                                            QStringList& text, QWidget* owner) {
        return EditIntroduction(block, program, text, state, DesignIntroductionWindow, owner);
    };
    return designers;
}

} // namespace

void ListPresentation(shell::AppState& state, QWidget* parent)
{
    storage::SettingsRecord record = state.Settings;
    bool menuScreen = state.MenuScreenCopy;
    if (!DesignListPresentation(record, menuScreen, WindowMenuDesigners(state), parent))
        return;
    state.Settings = record;
    state.MenuScreenCopy = menuScreen;
    storage::SaveSettings(state);
}

void ProgramPresentation(shell::AppState& state, QWidget* parent)
{
    storage::PresentationBlock block = state.Settings.Presentation;
    storage::ProgramSettings program = state.Settings.Program;
    if (!DesignProgramPresentation(block, program, state.resolve(state.TopicStorePath), state.WorkingDirectory,
                                   WindowPresentationDesigners(state, parent), parent))
        return;
    state.Settings.Presentation = block;
    state.Settings.Program = program;
    storage::SaveSettings(state);
}

} // namespace design
