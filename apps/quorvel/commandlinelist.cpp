#include "quorvel/commandlinelist.h"

#include "shell/tquorvelform.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <utility>

namespace apps {

CommandLineDialogs::CommandLineDialogs(platform::Dialogs& real, const QString& listFile)
    : m_real(real), m_pending(listFile)
{
}

void CommandLineDialogs::showError(const QString& message) { m_real.showError(message); }
void CommandLineDialogs::showInfo(const QString& message) { m_real.showInfo(message); }
bool CommandLineDialogs::askYesNo(const QString& message) { return m_real.askYesNo(message); }
platform::Answer CommandLineDialogs::askYesNoCancel(const QString& message) { return m_real.askYesNoCancel(message); }
bool CommandLineDialogs::askYesNoHelp(const QString& message, int helpContext)
{
    return m_real.askYesNoHelp(message, helpContext);
}

QString CommandLineDialogs::openFileName(const platform::FileRequest& request)
{
    if (m_pending.isEmpty())
        return m_real.openFileName(request);
    return std::exchange(m_pending, QString());
}

QString CommandLineDialogs::saveFileName(const platform::FileRequest& request) { return m_real.saveFileName(request); }
std::optional<QColor> CommandLineDialogs::chooseColor(const QColor& initial) { return m_real.chooseColor(initial); }
QStringList CommandLineDialogs::openFileNames(const platform::FileRequest& request)
{
    return m_real.openFileNames(request);
}

QString CommandLineDialogs::chooseFolder(const platform::FileRequest& request)
{
    return m_real.chooseFolder(request);
}

std::optional<platform::FontChoice> CommandLineDialogs::chooseFont(const QFont& initial, const QColor& initialColor)
{
    return m_real.chooseFont(initial, initialColor);
}
void CommandLineDialogs::beep() { m_real.beep(); }

QString CommandLineFile(const QString& argument)
{
    return QFileInfo(argument).absoluteFilePath();
}

void OpenWhenStarted(shell::TQuorvelForm& window, CommandLineDialogs& dialogs, platform::Dialogs& real,
                     const QString& listFile)
{
    const auto open = [&window, &dialogs, &real, listFile] {
        if (!QFileInfo(listFile).isFile()) {
            real.showError(QStringLiteral("The file ") + QDir::toNativeSeparators(listFile) +
                           QStringLiteral(" was not found."));
            return;
        }
        platform::InstallDialogs(&dialogs);
        window.selectList();
        platform::InstallDialogs(&real);
    };
    // After the start-up checks of the window's first timer tick, which show the button panel.
    if (auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1")); timer && timer->isActive())
        QObject::connect(timer, &QTimer::timeout, &window, open, Qt::ConnectionType(Qt::SingleShotConnection | Qt::QueuedConnection));
    else
        QTimer::singleShot(0, &window, open);
}

} // namespace apps
