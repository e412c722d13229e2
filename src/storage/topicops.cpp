#include "storage/topicops.h"

#include "shell/error.h"
#include "shell/textcodec.h"
#include "storage/storelinereader.h"
#include "storage/storewriter.h"

#include <QFile>
#include <QFileInfo>

namespace storage {

namespace {

// The extracted entry from its head name and kind line up to and including the tail "]".
void ReadEntryLines(StoreLineReader& reader, const QString& headName, QByteArrayView kindLine, QStringList& entry)
{
    entry.clear();
    entry.append(headName);
    entry.append(shell::DecodeText(kindLine));
    QByteArrayView line;
    while (reader.next(line)) {
        entry.append(shell::DecodeText(line));
        if (IsTailLine(line))
            break;
    }
}

} // namespace

bool HasEntriesOfKind(const QString& store, const QString& kind)
{
    if (!QFileInfo::exists(store))
        return false;
    StoreLineReader reader(store);
    const QByteArray wanted = "source=" + kind.toUpper().toUtf8();
    QByteArrayView line;
    bool haveHead = reader.nextHead(line);
    while (haveHead) {
        if (!reader.next(line))
            return false;
        if (line == wanted)
            return true;
        // The line after a head may be a head itself.
        haveHead = IsHeadLine(line) || reader.nextHead(line);
    }
    return false;
}

void ListEntryNames(QStringList& names, const QString& store, const QString& kind)
{
    if (!QFileInfo::exists(store))
        return;
    StoreLineReader reader(store);
    QByteArrayView line;
    while (reader.nextHead(line)) {
        const QString name = HeadName(line);
        // The line after the head is the kind line, whatever it looks like.
        if (!reader.next(line))
            break;
        if (SameName(ValueAfterEquals(line), kind))
            names.append(name);
    }
}

bool ExtractEntry(const QString& store, const QString& name, const QString& kind, QStringList& entry)
{
    if (!QFileInfo::exists(store))
        return false;
    StoreLineReader reader(store);
    bool found = false;
    QByteArrayView line;
    while (reader.nextHead(line)) {
        const QString headName = HeadName(line);
        if (!SameName(headName, name))
            continue;
        if (!reader.next(line))
            break;
        if (!SameName(KindAfterPrefix(line), kind))
            continue;
        found = true;
        ReadEntryLines(reader, headName, line, entry);
    }
    return found;
}

void ForEachEntry(const QString& store, const QString& kind, const std::function<void(const QStringList&)>& visit)
{
    if (!QFileInfo::exists(store))
        return;
    StoreLineReader reader(store);
    QStringList entry;
    QByteArrayView line;
    bool haveHead = reader.nextHead(line);
    while (haveHead) {
        const QString headName = HeadName(line);
        if (!reader.next(line))
            break;
        if (!SameName(KindAfterPrefix(line), kind)) {
            haveHead = IsHeadLine(line) || reader.nextHead(line);
            continue;
        }
        ReadEntryLines(reader, headName, line, entry);
        visit(entry);
        haveHead = reader.nextHead(line);
    }
}

bool EntryNameInUse(const QString& store, const QString& newName, const QString& oldName, const QString& kind)
{
    if (!QFileInfo::exists(store) || SameName(newName, oldName))
        return false;
    StoreLineReader reader(store);
    QByteArrayView line;
    while (reader.nextHead(line)) {
        if (!SameName(HeadName(line), newName))
            continue;
        if (!reader.next(line))
            break;
        if (SameName(KindAfterPrefix(line), kind))
            return true;
    }
    return false;
}

void DeleteEntry(const QString& store, const QString& name, const QString& kind)
{
    RewriteEntry(store, name, kind, QByteArray(), ChangeNote(kind, name, QStringLiteral("deleted")));
}

} // namespace storage
