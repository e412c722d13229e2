#include "design/tintdesignbackform.h"

#include "shell/operationframe.h"

#include <QDir>
#include <QPushButton>

namespace design {

TIntDesignBackForm::TIntDesignBackForm(const storage::ScreenDesign& introScreen, IntroAdjuster adjuster,
                                       const QString& directory, QWidget* parent)
    : TDesignBackForm(VariantOf(BackVariant::Introduction), runtime::BackgroundOf(introScreen.Window),
                      directory, parent),
      m_screen(introScreen), m_adjuster(std::move(adjuster))
{
    setObjectName(QStringLiteral("TIntDesignBackForm"));
    if (!m_adjuster) {
        if (auto* button = findChild<QPushButton*>(QStringLiteral("WindowBtn"))) {
            button->setEnabled(false);
            button->setToolTip(
                QStringLiteral("The introduction layout adjuster was not given to this dialog"));
        }
    }
}

storage::ScreenDesign TIntDesignBackForm::introScreen() const
{
    storage::ScreenDesign result = m_screen;
    ApplyBackground(result.Window, fields());
    return result;
}

void TIntDesignBackForm::WindowBtnClick()
{
    if (!m_adjuster)
        return;
    shell::HideWhile hidden(this);
    storage::ScreenDesign working = introScreen();
    m_adjuster(working, this);
    // The background stays the one this dialog holds; everything else is what the adjuster saved.
    m_screen = working;
}

bool DesignIntroductionBackground(storage::ScreenDesign& introScreen, const IntroAdjuster& adjuster,
                                  QWidget* parent)
{
    TIntDesignBackForm form(introScreen, adjuster, QDir::currentPath(), parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    introScreen = form.introScreen();
    return true;
}

} // namespace design
