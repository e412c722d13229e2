#pragma once

#include "storage/settingsrecord.h"

#include <functional>

class QWidget;

namespace design {

// The windows the menu screen dialogs open that live elsewhere: the background designer and the
// layout adjuster of the menu screen (each changes the design in place on its own confirmation and
// returns true then), and the menu test window, which shows the design and changes nothing.
struct MenuDesigners
{
    std::function<bool(storage::MenuScreenDesign& menu, QWidget* parent)> designBackground;
    std::function<bool(storage::MenuScreenDesign& menu, QWidget* parent)> adjustLayout;
    std::function<void(const storage::MenuScreenDesign& menu, const storage::PresentationBlock& block,
                       const storage::ProgramSettings& program, QWidget* parent)>
        viewMenu;
};

} // namespace design
