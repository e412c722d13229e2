#pragma once

#include "shell/atomicfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace storage {

// Writes a new topic store beside the old one and renames it over the old one on commit(): a
// failure (full disk, no room in the directory) or a crash leaves the old store whole and no
// temporary file behind. Lines are gathered in large blocks, each ended with CR LF. The store
// replaced (or removed) is kept in .history/ with `change` as what replaced it.
class StoreWriter
{
public:
    // Throws shell::Error when the new file cannot be created beside the store.
    StoreWriter(const QString& store, const QString& change);

    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

    void line(QByteArrayView bytes);
    // A line copied as it stood in the old store: `raw` with its own line end, `line` without.
    void copy(QByteArrayView line, QByteArrayView raw);
    // Bytes as they stand (whole lines with their line ends).
    void raw(QByteArrayView bytes);
    // True once a line that is not empty was written.
    bool hasContent() const { return m_content; }
    // Replaces the store with what was written.
    void commit();
    // Drops what was written and deletes the store: a store of empty lines only holds no entries.
    void removeStore();

private:
    void flush();
    void put(const char* data, qsizetype size);
    void startWriteBack();

    QString m_store;
    QString m_change;
    shell::AtomicWriter m_writer;
    // Filled by hand up to m_used: a rewrite passes every line of the store through here, and
    // QByteArray::append per line costs more than the copy itself.
    QByteArray m_buffer;
    qsizetype m_used = 0;
    qint64 m_started = 0; // bytes whose write-back was started
    bool m_content = false;
};

class StoreLineReader;

// Reads past the rest of an entry being dropped from a rewrite (called after its kind line), its
// tail "]" and the empty line after it; a line that is neither empty nor a head is a neighbour and
// is copied. True when `line` then holds the next head line, false at the end of the store.
bool DropEntryRest(StoreLineReader& reader, StoreWriter& writer, QByteArrayView& line,
                   const std::function<void(QByteArrayView)>& passOver);

// Rewrites the store with every entry of the name and kind replaced in place by `replacement`
// (the encoded lines of the new entry and its separator), or removed when `replacement` is empty.
// An entry matches when its head name equals `name` and the text of the next line from its eighth
// character on equals `kind`, letter case ignored in both. The matching entry is dropped up to and
// including its line "]" (or the end of the store) and the empty separator line after it. A missing
// store is left missing; a store without a matching entry keeps its bytes; a store that is left
// with empty lines only is deleted. Returns true when an entry matched.
bool RewriteEntry(const QString& store, const QString& name, const QString& kind,
                  const QByteArray& replacement, const QString& change);

// Appends encoded entry lines to the store, creating it when missing. The whole store is written
// anew beside the old one, so a failed append never damages the entries already there.
void AppendToStore(const QString& store, const QByteArray& entry, const QString& change);

// What a change did, as the history of the store notes it: "Topic "Rivers" deleted", or
// "Introduction edited" for the entry of the introduction kind.
QString ChangeNote(const QString& kind, const QString& name, const QString& what);

} // namespace storage
