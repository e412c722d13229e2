#pragma once

#include "design/tdesignbackform.h"
#include "storage/settingsrecord.h"

class QWidget;

namespace design {

// The background designer for the program background screen, with "View" for a preview.
class TCFGDesignBackForm : public TDesignBackForm
{
    Q_OBJECT
public:
    TCFGDesignBackForm(const storage::ProgramSettings& program, const QString& directory,
                       QWidget* parent = nullptr);

    // The working copy with the background being designed.
    storage::ProgramSettings program() const;

protected:
    void ViewBitBtnClick() override;

private:
    storage::ProgramSettings m_program;
};

// The Program Presentation dialog's "Design Background Screen": edits the program background of
// `program`, whose files lie in the current directory (the Study List directory). On OK `program`
// takes the result and true is returned; Cancel leaves it untouched.
bool DesignProgramBackground(storage::ProgramSettings& program, QWidget* parent);

} // namespace design
