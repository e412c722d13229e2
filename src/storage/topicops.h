#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Finding, listing, extracting, testing and deleting entries of the topic store (topicstore.h
// gives the format). Names and kinds compare without regard to letter case. A missing store gives
// the empty result of each operation. Failures throw shell::Error.
namespace storage {

// True when some head line is followed by the line "source=" + the kind in upper case.
bool HasEntriesOfKind(const QString& store, const QString& kind);

} // namespace storage
