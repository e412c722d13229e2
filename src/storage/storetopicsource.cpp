#include "storage/storetopicsource.h"

#include "storage/topicops.h"
#include "storage/topicstore.h"

namespace storage {

QStringList StoreTopicSource::names(const QString& kind) const
{
    QStringList names;
    ListEntryNames(names, m_store, kind);
    return names;
}

bool StoreTopicSource::entry(const QString& name, const QString& kind, QStringList& lines) const
{
    QStringList found;
    if (!ExtractEntry(m_store, name, kind, found))
        return false;
    lines = found;
    return true;
}

void StoreTopicSource::forEachEntry(
    const QString& kind, const std::function<bool(const QString& name, const QStringList& lines)>& visit) const
{
    bool going = true;
    ForEachEntry(m_store, kind, [&](const QStringList& lines) {
        if (going && !lines.isEmpty())
            going = visit(lines.front(), lines);
    });
}

bool StoreTopicSource::introText(QStringList& lines) const
{
    QStringList text;
    if (!ReadIntroText(m_store, text))
        return false;
    lines = text;
    return true;
}

} // namespace storage
