#pragma once

#include "shell/history.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace shell {
struct AppState;
}

namespace storage {

// "Earlier Versions": the versions of NAME.SWR and NAME.SWJ kept in the list's .history/, newest
// first, each with the time it was replaced, the change that replaced it and its number of Topics.
// The dialog only chooses; restoring is the caller's (see EarlierVersions).
class THistoryForm : public QDialog
{
    Q_OBJECT
public:
    THistoryForm(const QList<shell::FileVersion>& versions, QWidget* parent = nullptr);
    // The chosen version after accept(); index into the list given.
    int chosen() const;

private:
    void createControls(const QList<shell::FileVersion>& versions);
    void createLayout();

    QLabel* InfoLbl = nullptr;
    QTreeWidget* VersionList = nullptr;
    QPushButton* RestoreBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};

// The main window's "Earl&ier Versions": lists the versions of the current Study List and
// restores the one chosen (the current file is kept as a version first), reloading the settings
// record when NAME.SWJ was restored. Shows a message instead when there are no versions yet.
// Failures throw shell::Error.
void EarlierVersions(shell::AppState& state, QWidget* parent = nullptr);

} // namespace storage
