#include "storage/topicflows.h"

#include "shell/tbuttlistform.h"
#include "shell/utilities.h"
#include "storage/topicops.h"

#include <QFileInfo>

namespace storage {

QString SelectEntryName(const QString& store, const QString& kind, const QString& caption, int helpContext,
                        int preselected, QWidget* parent)
{
    if (!QFileInfo::exists(store))
        return {};
    QStringList names;
    ListEntryNames(names, store, kind);
    if (names.isEmpty())
        return {};
    const int chosen = shell::ChooseEntry(names, preselected, helpContext, caption, parent);
    if (chosen < 0 || chosen >= names.size())
        return {};
    return names[chosen];
}

void ViewTopic(const QString& store, const QString& kind, int helpContext, const TopicRunner& runner,
               QWidget* parent)
{
    const QString name =
        SelectEntryName(store, kind, QStringLiteral("Select an Entry to view"), helpContext, 0, parent);
    if (name.isEmpty())
        return;
    QStringList entry;
    if (ExtractEntry(store, name, kind, entry) && runner)
        runner(entry);
}

QString DeleteQuestion(const QString& name)
{
    // A line feed and then a carriage return: the box shows two lines.
    return QStringLiteral("The ") + QLatin1Char('"') + name + QLatin1Char('"') +
           QStringLiteral(" entry will be deleted.") + QStringLiteral("\n\r") + QStringLiteral("Continue?");
}

void DeleteTopic(const QString& store, const QString& kind, int helpContext, QWidget* parent)
{
    const QString name =
        SelectEntryName(store, kind, QStringLiteral("Select an Entry to delete"), helpContext, 0, parent);
    if (name.isEmpty())
        return;
    if (shell::AskYesNo(DeleteQuestion(name)))
        DeleteEntry(store, name, kind);
}

} // namespace storage
