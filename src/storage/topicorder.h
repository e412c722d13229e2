#pragma once

#include <QString>

namespace storage {

// Moves the entry `name` of the kind to the place just before the entry `before` of the same kind,
// in one rewrite of the store beside itself: the entry goes over byte for byte (head, kind line,
// key lines, page text, tail) and is followed by one empty line. With several entries of that name
// (a store written elsewhere), the first is moved and the others stay where they are. Names and kinds compare without
// regard to letter case. Nothing is written when the names are the same or when either entry is
// missing, so a move can never lose a Topic. An entry cut short at the end of a damaged store gets
// its tail line, so it cannot swallow the entry it now stands before. Returns true when the store
// was rewritten; failures throw shell::Error and leave the store whole.
bool MoveEntry(const QString& store, const QString& name, const QString& before, const QString& kind);

} // namespace storage
