#include "storage/topicorder.h"

#include "storage/storelinereader.h"
#include "storage/storewriter.h"

#include <QFileInfo>

#include <optional>

namespace storage {

namespace {

struct MoveScan
{
    std::optional<QByteArray> moved; // the first matching entry, head through tail, raw
    bool beforeFound = false;
};

bool IsEntryOf(StoreLineReader& reader, const QString& kind, QByteArray& head, QByteArrayView& kindLine,
               bool& more)
{
    head = reader.raw().toByteArray();
    more = reader.next(kindLine);
    return more && SameName(KindAfterPrefix(kindLine), kind);
}

MoveScan ScanForMove(const QString& store, const QString& name, const QString& before, const QString& kind)
{
    MoveScan scan;
    StoreLineReader reader(store);
    QByteArrayView line;
    bool haveHead = reader.nextHead(line);
    while (haveHead) {
        const QString headName = HeadName(line);
        const bool isMoved = !scan.moved && SameName(headName, name);
        const bool isBefore = SameName(headName, before);
        if (!isMoved && !isBefore) {
            haveHead = reader.nextHead(line);
            continue;
        }
        QByteArray head;
        bool more = false;
        if (!IsEntryOf(reader, kind, head, line, more)) {
            if (!more)
                break;
            // The line after a head of another kind may itself be a head.
            haveHead = IsHeadLine(line) || reader.nextHead(line);
            continue;
        }
        if (isBefore) {
            scan.beforeFound = true;
            haveHead = reader.nextHead(line);
            continue;
        }
        QByteArray moved = head;
        moved += reader.raw();
        bool tail = false;
        while (reader.next(line)) {
            moved += reader.raw();
            if (IsTailLine(line)) {
                tail = true;
                break;
            }
        }
        if (!moved.endsWith('\n'))
            moved += "\r\n";
        if (!tail)
            moved += "]\r\n";
        scan.moved = moved;
        haveHead = reader.nextHead(line);
    }
    return scan;
}

} // namespace

bool MoveEntry(const QString& store, const QString& name, const QString& before, const QString& kind)
{
    if (SameName(name, before) || !QFileInfo::exists(store))
        return false;
    const MoveScan scan = ScanForMove(store, name, before, kind);
    if (!scan.moved || !scan.beforeFound)
        return false;

    StoreLineReader reader(store);
    StoreWriter writer(store, ChangeNote(kind, name, QStringLiteral("moved")));
    const auto passOver = [&writer](QByteArrayView bytes) { writer.raw(bytes); };
    bool inserted = false;
    bool removed = false;
    QByteArrayView line;
    bool haveHead = reader.nextHead(line, passOver);
    while (haveHead) {
        const QString headName = HeadName(line);
        const bool isMoved = !removed && SameName(headName, name);
        const bool isBefore = !inserted && SameName(headName, before);
        if (!isMoved && !isBefore) {
            writer.copy(line, reader.raw());
            haveHead = reader.nextHead(line, passOver);
            continue;
        }
        QByteArray head;
        bool more = false;
        if (!IsEntryOf(reader, kind, head, line, more)) {
            writer.raw(head);
            if (!more)
                break;
            if (IsHeadLine(line))
                continue;
            writer.copy(line, reader.raw());
            haveHead = reader.nextHead(line, passOver);
            continue;
        }
        if (isBefore) {
            writer.raw(*scan.moved);
            writer.raw("\r\n");
            writer.raw(head);
            writer.copy(line, reader.raw());
            inserted = true;
            haveHead = reader.nextHead(line, passOver);
            continue;
        }
        // The moved entry leaves its old place, with the empty line after its tail. Only that one:
        // another entry of the same name in a store written elsewhere is a Topic of its own.
        removed = true;
        haveHead = DropEntryRest(reader, writer, line, passOver);
    }
    writer.commit();
    return true;
}

} // namespace storage
