#include "design/tvpdesignbackform.h"

#include "design/tvpadjustform.h"
#include "shell/operationframe.h"

namespace design {

TVPDesignBackForm::TVPDesignBackForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                                     const QString& directory, QWidget* parent)
    : TDesignBackForm(VariantOf(BackVariant::DesignedPage), runtime::BackgroundOf(record), directory, parent),
      m_record(record), m_pageText(pageText)
{
    setObjectName(QStringLiteral("TVPDesignBackForm"));
}

storage::TopicDisplayRecord TVPDesignBackForm::record() const
{
    storage::TopicDisplayRecord result = m_record;
    ApplyBackground(result, fields());
    return result;
}

void TVPDesignBackForm::WindowBtnClick()
{
    shell::HideWhile hidden(this);
    TVPAdjustForm adjuster(record(), m_pageText, m_directory, this);
    if (adjuster.exec() == QDialog::Accepted)
        m_record = adjuster.record();
}

bool DesignPageBackground(storage::TopicDisplayRecord& record, const QStringList& pageText,
                          const QString& directory, QWidget* parent)
{
    TVPDesignBackForm form(record, pageText, directory, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    record = form.record();
    return true;
}

} // namespace design
