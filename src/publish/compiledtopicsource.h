#pragma once

#include "storage/settingsrecord.h"
#include "storage/topicsource.h"
#include "storage/treclist.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>

namespace publish {

// Refusals of damaged input. A compiled body holds at most this many entries, and one block at
// most this many bytes; anything beyond is a damaged or hostile file, not a Study List.
constexpr qint64 kMaxCompiledEntries = 1 << 20;
constexpr qint64 kMaxBlockLength = 256LL * 1024 * 1024;

// The Topics of a compiled Study List (see compiler.h for the body layout): NAME.SWC, whose body
// starts after the 5105-byte settings record, or an executable Study List, whose settings record
// starts where the reader program's own ELF image ends. The file is checked when it is opened
// (version marker, body signature, every index record's offsets and lengths against the file's
// size); a file that fails a check is refused with a shell::Error that says what is wrong. The
// device stays open; blocks are read when they are asked for.
class CompiledTopicSource : public storage::TopicSource
{
public:
    // `device` is open for reading and seekable; the body starts at `bodyOffset` and the settings
    // record fills the 5105 bytes before it. `name` names the file in messages.
    CompiledTopicSource(std::unique_ptr<QIODevice> device, qint64 bodyOffset, const QString& name);

    // NAME.SWC: the body at 5105.
    static std::unique_ptr<CompiledTopicSource> openCompiled(const QString& path);
    // A program file with a compiled Study List appended to its ELF image. A file with nothing
    // appended is refused with its own message.
    static std::unique_ptr<CompiledTopicSource> openExecutable(const QString& path);

    const storage::SettingsRecord& settings() const { return m_settings; }
    qsizetype count() const { return m_index.count(); }

    // Names without their brackets, taken from the index; a name the index had to cut is read
    // from its block's head line.
    QStringList names(const QString& kind) const override;
    // The block of the entry as lines: index 0 the head line with its brackets, 1 the bare kind,
    // then the entry's lines. The name is compared with letter case, the kind without; an index
    // match counts only when the block's head line is exactly "[" name "]".
    bool entry(const QString& name, const QString& kind, QStringList& lines) const override;
    // One pass over the index in block order: no name is looked up.
    void forEachEntry(const QString& kind,
                      const std::function<bool(const QString& name, const QStringList& lines)>& visit) const override;
    // The lines of the introduction entry after its "text=" line.
    bool introText(QStringList& lines) const override;

private:
    struct Record
    {
        QByteArray name; // the head line as the index holds it, possibly cut
        qint64 offset = 0;
        qint64 length = 0;
        QByteArray kind;
    };
    Record record(qsizetype index) const;
    bool kindMatches(const Record& record, const QString& kind) const;
    bool nameMayBeCut(const Record& record) const;
    QByteArray readBlock(const Record& record) const;
    static QByteArrayView HeadLine(const QByteArray& block);
    [[noreturn]] void damaged(const QString& what) const;

    std::unique_ptr<QIODevice> m_device;
    QString m_name;
    qint64 m_bodyOffset = 0;
    qint64 m_bodySize = 0;
    storage::TRecList m_index;
    storage::SettingsRecord m_settings;
};

} // namespace publish
