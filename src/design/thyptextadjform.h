#pragma once

#include "design/adjusterform.h"
#include "storage/settingsrecord.h"

#include <QStringList>

class QFrame;
class QPushButton;
class QTextEdit;

namespace design {

// The text page window adjuster: a mock-up of a " Text Only" page's pop-up window, with the page's
// text, placed over the design area as the page window will be; the author drags and sizes it.
// Works on a copy of the topic display record; record() gives it back after a save with the new
// text window place, everything else unchanged.
class THypTextAdjForm : public AdjusterForm
{
    Q_OBJECT
public:
    THypTextAdjForm(const storage::TopicDisplayRecord& record, const QStringList& pageText,
                    QPoint designOrigin, QWidget* parent = nullptr);

    const storage::TopicDisplayRecord& record() const { return m_record; }

protected:
    bool partPressed(QWidget* widget, Qt::MouseButton button) override;
    void saveLayout() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void createControls();
    void FormActivate();
    void layoutMockup();

    storage::TopicDisplayRecord m_record;
    QPoint m_designOrigin;
    bool m_activated = false;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QFrame* Panel4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// Shows the text page window adjuster; on a save the record's TextLeft, TextTop, TextWidth and
// TextHeight take the mock-up's place and true is returned. `pageText` is the page's RTF lines.
bool AdjustTextPageWindow(storage::TopicDisplayRecord& record, const QStringList& pageText,
                          QPoint designOrigin, QWidget* parent = nullptr);

} // namespace design
