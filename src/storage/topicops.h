#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Finding, listing, extracting, testing and deleting entries of the topic store (topicstore.h
// gives the format). Names and kinds compare without regard to letter case. A missing store gives
// the empty result of each operation. Failures throw shell::Error.
//
// An extracted entry is a list of lines: 0 the bare name, 1 the kind line as stored ("source=HYPER"),
// 2 the "type=" line, then the following lines as stored up to and including the tail "]".
namespace storage {

// True when some head line is followed by the line "source=" + the kind in upper case.
bool HasEntriesOfKind(const QString& store, const QString& kind);

// Appends the bare name of every entry of the kind (taken after the first "=" of the line after
// the head), in store order.
void ListEntryNames(QStringList& names, const QString& store, const QString& kind);

// Fills `entry` with the extracted entry of that name and kind; with duplicates the last one wins.
// The list is cleared when an entry is found and left alone otherwise. True when found.
bool ExtractEntry(const QString& store, const QString& name, const QString& kind, QStringList& entry);

// Hands every entry of the kind, in store order, to `visit` as ExtractEntry would give it, reading
// the store once and holding one entry at a time.
void ForEachEntry(const QString& store, const QString& kind, const std::function<void(const QStringList&)>& visit);

// True when an entry of the kind is named like `newName` and `newName` differs from `oldName`
// (letter case ignored), so renaming a Topic to itself in another case is allowed.
bool EntryNameInUse(const QString& store, const QString& newName, const QString& oldName,
                    const QString& kind);

// Removes the entry (every entry of that name and kind) by rewriting the store beside itself;
// a store left with empty lines only is deleted.
void DeleteEntry(const QString& store, const QString& name, const QString& kind);

} // namespace storage
