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
class CommandLineDialogs : public platform::ForwardingDialogs
{
public:
    CommandLineDialogs(platform::Dialogs& real, const QString& listFile);

    QString openFileName(const platform::FileRequest& request) override;

private:
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
