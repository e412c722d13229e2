#include "storage/storewriter.h"

#include "shell/error.h"
#include "storage/storelinereader.h"

#include <QFile>
#include <QFileInfo>

namespace storage {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;

bool HasVisibleByte(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (c != '\r' && c != '\n')
            return true;
    return false;
}

} // namespace

StoreWriter::StoreWriter(const QString& store) : m_store(store), m_writer(store)
{
    m_buffer.reserve(kFlushBytes + 4096);
}

void StoreWriter::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_writer.write(m_buffer);
    m_buffer.resize(0);
}

void StoreWriter::line(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        m_content = true;
    if (m_buffer.size() + bytes.size() + 2 > kFlushBytes) {
        flush();
        if (bytes.size() > kFlushBytes) {
            m_writer.write(bytes.data(), bytes.size());
            m_buffer.append("\r\n", 2);
            return;
        }
    }
    m_buffer.append(bytes.data(), bytes.size());
    m_buffer.append("\r\n", 2);
}

void StoreWriter::raw(QByteArrayView bytes)
{
    if (!m_content && HasVisibleByte(bytes))
        m_content = true;
    if (m_buffer.size() + bytes.size() > kFlushBytes) {
        flush();
        if (bytes.size() > kFlushBytes) {
            m_writer.write(bytes.data(), bytes.size());
            return;
        }
    }
    m_buffer.append(bytes.data(), bytes.size());
}

void StoreWriter::commit()
{
    flush();
    m_writer.commit();
}

void StoreWriter::removeStore()
{
    // The new file is dropped when m_writer goes; only the old store has to go now.
    QFile file(m_store);
    if (file.exists() && !file.remove())
        shell::ThrowFileError(QStringLiteral("Cannot delete file"), m_store, file.errorString());
}

bool RewriteEntry(const QString& store, const QString& name, const QString& kind, const QByteArray& replacement)
{
    if (!QFileInfo::exists(store))
        return false;
    StoreLineReader reader(store);
    StoreWriter writer(store);
    bool matched = false;
    QByteArrayView line;
    bool pending = reader.next(line);
    while (pending) {
        if (!IsHeadLine(line) || !SameName(HeadName(line), name)) {
            writer.line(line);
            pending = reader.next(line);
            continue;
        }
        // The head's view dies with the next read, so keep its bytes.
        const QByteArray head = line.toByteArray();
        if (!reader.next(line)) {
            writer.line(head);
            break;
        }
        if (!SameName(KindAfterPrefix(line), kind)) {
            writer.line(head);
            writer.line(line);
            pending = reader.next(line);
            continue;
        }
        matched = true;
        bool more = true;
        while ((more = reader.next(line)) && !IsTailLine(line)) {
        }
        // The separator after the tail goes with the entry. A line that is not empty is a
        // neighbour's head in a store written without separators, and stays.
        pending = more && reader.next(line);
        if (pending && line.isEmpty())
            pending = reader.next(line);
        writer.raw(replacement);
    }
    if (!writer.hasContent())
        writer.removeStore();
    else if (matched)
        writer.commit();
    return matched;
}

void AppendToStore(const QString& store, const QByteArray& entry)
{
    StoreWriter writer(store);
    QFile old(store);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            shell::ThrowFileError(QStringLiteral("Cannot open file"), store, old.errorString());
        QByteArray block(kFlushBytes, Qt::Uninitialized);
        char last = '\n';
        for (;;) {
            const qint64 got = old.read(block.data(), block.size());
            if (got < 0)
                shell::ThrowFileError(QStringLiteral("Cannot read file"), store, old.errorString());
            if (got == 0)
                break;
            writer.raw(QByteArrayView(block.constData(), got));
            last = block[got - 1];
        }
        // A store cut off in the middle of a line must not glue the new head onto it.
        if (last != '\n')
            writer.raw("\r\n");
    }
    writer.raw(entry);
    writer.commit();
}

} // namespace storage
