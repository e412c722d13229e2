#pragma once

#include <QString>
#include <QStringList>

#include <functional>

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
    // Hands every entry of the kind to `visit`, in stored order, as entry() would give it; stops
    // when `visit` returns false. Sources that can read their entries in one pass do so.
    virtual void forEachEntry(const QString& kind,
                              const std::function<bool(const QString& name, const QStringList& lines)>& visit) const
    {
        for (const QString& name : names(kind)) {
            QStringList lines;
            if (entry(name, kind, lines) && !visit(name, lines))
                return;
        }
    }
    // False when the list has no introduction.
    virtual bool introText(QStringList& lines) const = 0;
};

} // namespace storage
