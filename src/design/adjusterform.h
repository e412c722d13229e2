#pragma once

#include <QDialog>
#include <QPointer>

#include "design/tstretchhandle.h"

class QAction;
class QMenu;

namespace design {

// What the three layout adjusters share: one stretch handle (grid 1 x 1, hidden until a part is
// attached), the pop-up menu of the right mouse button (help, "&Save and Quit", "&Quit"), and the
// rule that every close other than "&Save and Quit" asks "Save changes?", a Yes turning it into a
// save. The subclass stores the parts' places into its record in saveLayout().
class AdjusterForm : public QDialog
{
    Q_OBJECT
public:
    ~AdjusterForm() override;

    TStretchHandle* handle() const { return StretchHandle1; }
    QMenu* popupMenu() const { return PopupMenu1; }
    bool saved() const { return m_saved; }
    void done(int result) override;

protected:
    AdjusterForm(const QString& caption, const QString& helpCaption, QWidget* parent);

    // Puts the right-button menu (and the subclass's presses) on a widget and all its children.
    void watch(QWidget* widget);
    // A press on a watched widget; true when it is used up and must not reach the widget.
    virtual bool partPressed(QWidget* widget, Qt::MouseButton button) = 0;
    // Called once, on a save, while every part still has its final place.
    virtual void saveLayout() = 0;
    // Attaches the handle to `part` alone, reporting a failure instead of throwing.
    void attachOnly(QWidget* part);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPopup(const QPoint& globalPos);

    bool m_saved = false;
    bool m_closing = false;
    QPointer<TStretchHandle> StretchHandle1;
    QMenu* PopupMenu1 = nullptr;
    QAction* PUHelp = nullptr;
    QAction* PUSave = nullptr;
    QAction* PUQuit = nullptr;
};

// Help topic of the adjusters' "Help" item.
constexpr int kAdjusterHelp = 485;
// The adjusters stand for 640 x 480 screens.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Centres a window of `size` on the primary screen.
void CentreOnScreen(QWidget* window, QSize size);

} // namespace design
