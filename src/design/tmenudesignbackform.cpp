#include "design/tmenudesignbackform.h"

#include "design/tmenuadjustform.h"
#include "shell/operationframe.h"

#include <QDir>

namespace design {

TMenuDesignBackForm::TMenuDesignBackForm(const storage::MenuScreenDesign& menu, const QString& directory,
                                         QWidget* parent)
    : TDesignBackForm(VariantOf(BackVariant::MenuScreen), runtime::BackgroundOf(menu.Window), directory,
                      parent),
      m_menu(menu)
{
    setObjectName(QStringLiteral("TMenuDesignBackForm"));
}

storage::MenuScreenDesign TMenuDesignBackForm::menu() const
{
    storage::MenuScreenDesign result = m_menu;
    ApplyBackground(result.Window, fields());
    return result;
}

void TMenuDesignBackForm::WindowBtnClick()
{
    shell::HideWhile hidden(this);
    storage::MenuScreenDesign working = menu();
    TMenuAdjustForm adjuster(working, m_directory, this);
    if (adjuster.exec() == QDialog::Accepted)
        m_menu = adjuster.menu(); // its background fields are the ones this dialog holds
}

bool DesignMenuBackground(storage::MenuScreenDesign& menu, QWidget* parent)
{
    TMenuDesignBackForm form(menu, QDir::currentPath(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    menu = form.menu();
    return true;
}

} // namespace design
