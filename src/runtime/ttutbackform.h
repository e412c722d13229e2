#pragma once

#include "storage/settingsrecord.h"

#include <QWidget>

namespace runtime {

class BackgroundView;

// The preview's backdrop: a borderless window over the whole screen, painted with the program
// background, that never takes input. The preview's windows are made its children (transient
// for it), so window managers keep them above it.
class TTutBackForm : public QWidget
{
    Q_OBJECT
public:
    // `directory` is the Study List directory, where the background files lie.
    TTutBackForm(const storage::ProgramSettings& program, const QString& directory, QWidget* parent = nullptr);

    // Shows the window without waiting, then draws the background (a missing file is reported
    // over the backdrop, which keeps its colour).
    void showBackdrop();

    BackgroundView* screen() const { return ScreenPnl; }

private:
    void createControls();

    storage::ProgramSettings m_program;
    QString m_directory;
    BackgroundView* ScreenPnl = nullptr;
};

} // namespace runtime
