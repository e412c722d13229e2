#include "quorvel/commandlinelist.h"

#include "shell/tquorvelform.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <utility>

namespace apps {

CommandLineDialogs::CommandLineDialogs(platform::Dialogs& real, const QString& listFile)
    : ForwardingDialogs(real), m_pending(listFile)
{
}

QString CommandLineDialogs::openFileName(const platform::FileRequest& request)
{
    if (m_pending.isEmpty())
        return m_next.openFileName(request);
    return std::exchange(m_pending, QString());
}

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
