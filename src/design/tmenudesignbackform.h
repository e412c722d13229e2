#pragma once

#include "design/tdesignbackform.h"
#include "storage/settingsrecord.h"

namespace design {

// The background designer for the topic menu screen; "&Adjust Window" opens the menu layout
// adjuster on the working copy, so it shows the background being designed.
class TMenuDesignBackForm : public TDesignBackForm
{
    Q_OBJECT
public:
    TMenuDesignBackForm(const storage::MenuScreenDesign& menu, const QString& directory,
                        QWidget* parent = nullptr);

    // The working copy: the background being designed and what the adjuster saved.
    storage::MenuScreenDesign menu() const;

protected:
    void WindowBtnClick() override;

private:
    storage::MenuScreenDesign m_menu;
};

// The menu screen dialog's "&Design Menu Background Screen": edits the background of
// `menu.Window` (and, through "&Adjust Window", the list window's and author box's places). Files
// lie in the current directory. On OK `menu` takes the result and true is returned.
bool DesignMenuBackground(storage::MenuScreenDesign& menu, QWidget* parent);

} // namespace design
