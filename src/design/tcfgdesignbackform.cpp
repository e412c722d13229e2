#include "design/tcfgdesignbackform.h"

#include "design/ttbackform.h"
#include "shell/operationframe.h"

#include <QDir>

namespace design {

TCFGDesignBackForm::TCFGDesignBackForm(const storage::ProgramSettings& program, const QString& directory,
                                       QWidget* parent)
    : TDesignBackForm(VariantOf(BackVariant::Program), runtime::BackgroundOf(program), directory, parent),
      m_program(program)
{
    setObjectName(QStringLiteral("TCFGDesignBackForm"));
}

storage::ProgramSettings TCFGDesignBackForm::program() const
{
    storage::ProgramSettings result = m_program;
    ApplyBackground(result, fields());
    return result;
}

void TCFGDesignBackForm::ViewBitBtnClick()
{
    shell::HideWhile hidden(this);
    PreviewProgramBackground(program(), m_directory, this);
}

bool DesignProgramBackground(storage::ProgramSettings& program, QWidget* parent)
{
    TCFGDesignBackForm form(program, QDir::currentPath(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    program = form.program();
    return true;
}

} // namespace design
