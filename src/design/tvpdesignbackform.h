#pragma once

#include "design/tdesignbackform.h"
#include "storage/settingsrecord.h"

#include <QStringList>

namespace design {

// The background designer for a designed page (a " Graphic and Text" Topic); "&Adjust Window"
// opens the designed page window adjuster on the working record and the page text.
class TVPDesignBackForm : public TDesignBackForm
{
    Q_OBJECT
public:
    TVPDesignBackForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                      const QString& directory, QWidget* parent = nullptr);

    storage::TopicDisplayRecord record() const;

protected:
    void WindowBtnClick() override;

private:
    storage::TopicDisplayRecord m_record;
    QStringList m_pageText;
};

// The page editor's "&Design Display Screen": edits the page's background and, through
// "&Adjust Window", its text window. `pageText` is the page's RTF lines, shown by the adjuster.
// Files lie in `directory`. On OK the whole record is replaced and true is returned.
bool DesignPageBackground(storage::TopicDisplayRecord& record, const QStringList& pageText,
                          const QString& directory, QWidget* parent);

} // namespace design
