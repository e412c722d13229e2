#pragma once

#include <QString>
#include <QStringList>

namespace storage {

// Where the presentation windows get their Topics from: the topic store (preview, authoring) or a
// compiled Study List (the reader program). Entries come back as the extracted-entry lines: index
// 0 the name, 1 the kind line, 2 "type=", then the following lines; compiled entries keep the
// brackets on index 0 and the bare kind on index 1, which the topic runner accepts too.
class TopicSource
{
public:
    virtual ~TopicSource() = default;
    // Names of the entries of the kind, in stored order.
    virtual QStringList names(const QString& kind) const = 0;
    // False when no entry of that name and kind exists.
    virtual bool entry(const QString& name, const QString& kind, QStringList& lines) const = 0;
    // False when the list has no introduction.
    virtual bool introText(QStringList& lines) const = 0;
};

} // namespace storage
