#pragma once

#include "storage/settingsrecord.h"

#include <QFrame>
#include <array>

class QLabel;

namespace runtime {

// The author box of a Topic menu screen (`AuthorPnl` with the labels `Label1` to `Label6`, tags 1
// to 6). The menu window, its test window and the menu layout adjuster all draw the box through
// this one panel, so the author places exactly what the learner will see. The rows follow the
// panel's width and font whenever it is resized, as the adjuster's stretch handle does.
class AuthorPanel : public QFrame
{
    Q_OBJECT
public:
    explicit AuthorPanel(QWidget* parent);

    // Takes the box's font, colours, place and lines (up to the last one that holds text, empty
    // ones before it kept as blank rows) and shows the panel; `scale` enlarges the whole design
    // (place, font and rows) for a reader that fits the screen.
    void showBox(const storage::AuthorBox& box, double scale = 1.0);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutRows();

    std::array<QLabel*, 6> m_labels{};
    double m_scale = 1.0;
};

} // namespace runtime
