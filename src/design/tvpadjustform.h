#pragma once

#include "design/adjusterform.h"
#include "storage/settingsrecord.h"

#include <QStringList>

class QFrame;
class QTextEdit;

namespace runtime {
class BackgroundView;
}

namespace design {

// The designed page window adjuster: a " Graphic and Text" page's 640 x 480 screen with its
// background and its text window, which the author drags and sizes. Works on a copy of the topic
// display record with full screen switched off; record() gives it back after a save.
class TVPAdjustForm : public AdjusterForm
{
    Q_OBJECT
public:
    // Background files resolve in `directory`; missing ones are reported here.
    TVPAdjustForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                  const QString& directory, QWidget* parent = nullptr);

    const storage::TopicDisplayRecord& record() const { return m_record; }

protected:
    bool partPressed(QWidget* widget, Qt::MouseButton button) override;
    void saveLayout() override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void FormActivate();

    storage::TopicDisplayRecord m_record;
    QStringList m_pageText;
    bool m_activated = false;

    runtime::BackgroundView* ScreenPnl = nullptr;
    QFrame* TextPnl = nullptr;
    QTextEdit* RichEdit1 = nullptr;
};

// Shows the designed page window adjuster; on a save the record's text window place is stored,
// FullScreen is switched off, and true is returned.
bool AdjustDesignedPageWindow(storage::TopicDisplayRecord& record, const QStringList& pageText,
                              const QString& directory, QWidget* parent = nullptr);

} // namespace design
