#pragma once

#include "runtime/introscreen.h"
#include "storage/settingsrecord.h"

#include <QDialog>

namespace shell {
struct AppState;
}

namespace runtime {

// The introduction display: one 640 x 480 screen of rich text on the introduction's designed
// background, with its title bar, status bar and menu bar ("&Close", "&Help", "&About", captioned
// from the Study List) when the design asks for them. Esc, the close item or a left press on the
// background closes it. The text is loaded again, from the top, each time the window becomes
// active. The screen is drawn at the state's design scale; Ctrl+0 switches between that and the
// design size.
class TIntDispForm : public QDialog
{
    Q_OBJECT
public:
    // The blocks and the text are copied. Background and icon files resolve in the state's
    // working directory. With the menu bar and a help file, the Help item is shown and the file
    // becomes the help file; the window does not switch back when it closes (the preview does).
    TIntDispForm(const storage::PresentationBlock& presentation, const storage::ProgramSettings& program,
                 const QStringList& text, const shell::AppState& state, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void fill();
    // Draws the screen at `scale` (1: the design size), centred.
    void applyScale(double scale);
    // Places the text window and loads the text again.
    void FormActivate();

    storage::PresentationBlock m_presentation;
    storage::ProgramSettings m_program;
    // The introduction's window design, held apart as the page displays hold a page's.
    storage::WindowDesign m_window;
    QStringList m_text;
    QString m_directory;
    double m_screenFit = 1.0;
    bool m_centred = false;

    IntroScreenParts m_parts;
};

// Shows the introduction modally; returns when the reader closes it.
void ShowIntroduction(const storage::PresentationBlock& presentation, const storage::ProgramSettings& program,
                      const QStringList& text, const shell::AppState& state, QWidget* parent = nullptr);

} // namespace runtime
