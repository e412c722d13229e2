#pragma once

#include "storage/topicsource.h"

namespace storage {

// The Topics of a Study List as the topic store NAME.SWR holds them (preview and authoring). The
// store is opened afresh for every question, so what an author just saved is what is shown.
// Input/output failures throw shell::Error.
class StoreTopicSource : public TopicSource
{
public:
    explicit StoreTopicSource(QString storePath) : m_store(std::move(storePath)) {}

    QStringList names(const QString& kind) const override;
    bool entry(const QString& name, const QString& kind, QStringList& lines) const override;
    bool introText(QStringList& lines) const override;
    // One pass over the store.
    void forEachEntry(const QString& kind,
                      const std::function<bool(const QString& name, const QStringList& lines)>& visit) const override;

    const QString& storePath() const { return m_store; }

private:
    QString m_store;
};

} // namespace storage
