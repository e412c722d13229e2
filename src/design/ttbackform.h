#pragma once

#include "storage/settingsrecord.h"

#include <QDialog>

namespace runtime {
class BackgroundView;
}

namespace design {

// The background preview of the program variant of the background designer: a window as large as
// the screen, captioned with the program's title, showing the program background. Any mouse
// button, Enter or Escape closes it.
class TTBackForm : public QDialog
{
    Q_OBJECT
public:
    // Draws the background at once; missing files are reported here.
    TTBackForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent = nullptr);

    runtime::BackgroundView* screen() const { return ScreenPnl; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    runtime::BackgroundView* ScreenPnl = nullptr;
};

// Shows the preview modally. A ".JPG" wallpaper is reported ("Wallpaper must be a .BMP file." ...)
// and no window opens; false is then returned.
bool PreviewProgramBackground(const storage::ProgramSettings& program, const QString& directory,
                              QWidget* parent = nullptr);

} // namespace design
