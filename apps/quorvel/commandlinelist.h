#pragma once

#include "platform/dialogs.h"

#include <QString>

namespace shell {
class TQuorvelForm;
}

namespace apps {

// The dialogs of a program started with a Study List named on its command line: the first
// Study List chooser is answered with that file, every other box goes to the real dialogs. So
// "quorvel LIST.SWJ" opens the list exactly as "&Select a Study List" does, the question of
// converting an earlier version included.
class CommandLineDialogs : public platform::Dialogs
{
public:
    CommandLineDialogs(platform::Dialogs& real, const QString& listFile);

    void showError(const QString& message) override;
    void showInfo(const QString& message) override;
    bool askYesNo(const QString& message) override;
    platform::Answer askYesNoCancel(const QString& message) override;
    bool askYesNoHelp(const QString& message, int helpContext) override;
    QString openFileName(const platform::FileRequest& request) override;
    QString saveFileName(const platform::FileRequest& request) override;
    QStringList openFileNames(const platform::FileRequest& request) override;
    QString chooseFolder(const platform::FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<platform::FontChoice> chooseFont(const QFont& initial, const QColor& initialColor) override;
    void beep() override;

private:
    platform::Dialogs& m_real;
    QString m_pending;
};

// The file named on the command line, made absolute against the folder the program was started
// in (start-up changes the current folder later).
QString CommandLineFile(const QString& argument);

// Once the window's start-up checks have run, opens `listFile` through the Select operation; a
// file that is not there gets the program's message instead. Installs `dialogs` for that and
// puts `real` back afterwards.
void OpenWhenStarted(shell::TQuorvelForm& window, CommandLineDialogs& dialogs, platform::Dialogs& real,
                     const QString& listFile);

} // namespace apps
