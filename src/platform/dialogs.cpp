#include "platform/dialogs.h"

#include <QtGlobal>

namespace platform {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs()
{
    Q_ASSERT_X(installed, "platform::dialogs", "no dialogs installed");
    return *installed;
}

void InstallDialogs(Dialogs* implementation)
{
    installed = implementation;
}

QList<QPair<QString, QStringList>> ParseFilter(const QString& filter)
{
    QList<QPair<QString, QStringList>> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        result.append({parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        result.append({parts.last(), {QStringLiteral("*")}});
    return result;
}

} // namespace platform
