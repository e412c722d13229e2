#include "storage/storewriter.h"

#include "shell/error.h"
#include "shell/history.h"
#include "storage/storelinereader.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace storage {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;

// True when the bytes hold a line that is not empty: any byte but a line end (CR LF, or LF).
bool HasVisibleByte(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            continue;
        if (c == '\r' && i + 1 == bytes.size())
            continue;
        return true;
    }
    return false;
}

} // namespace

StoreWriter::StoreWriter(const QString& store, const QString& change)
    : m_store(store), m_change(change), m_writer(store), m_buffer(kFlushBytes, Qt::Uninitialized)
{
    m_writer.keepVersion(change);
}

QString ChangeNote(const QString& kind, const QString& name, const QString& what)
{
    if (kind.compare(QLatin1String("INTRO"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Introduction ") + what;
    return QStringLiteral("Topic \"") + name + QStringLiteral("\" ") + what;
}

void StoreWriter::flush()
{
    if (m_used == 0)
        return;
    m_writer.write(m_buffer.constData(), m_used);
    m_used = 0;
    startWriteBack();
}

void StoreWriter::startWriteBack()
{
#ifdef Q_OS_LINUX
    // The rename at commit waits until every byte is on the disk. Asking the kernel to start
    // writing each block now lets the disk work while the rest of the store is still being read,
    // instead of all at once at the end; a failure here only loses that head start.
    auto& device = static_cast<QFileDevice&>(m_writer.device());
    if (!device.flush())
        return;
    const int handle = device.handle();
    const qint64 end = device.pos();
    if (handle >= 0 && end > m_started) {
        ::sync_file_range(handle, m_started, end - m_started, SYNC_FILE_RANGE_WRITE);
        m_started = end;
    }
#endif
}

void StoreWriter::put(const char* data, qsizetype size)
{
    if (size <= 0)
        return;
    if (size > kFlushBytes - m_used) {
        flush();
        if (size > kFlushBytes) {
            m_writer.write(data, size);
            startWriteBack();
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_used, data, size_t(size));
    m_used += size;
}

void StoreWriter::line(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        m_content = true;
    put(bytes.data(), bytes.size());
    put("\r\n", 2);
}

void StoreWriter::copy(QByteArrayView line, QByteArrayView raw)
{
    if (!line.isEmpty())
        m_content = true;
    put(raw.data(), raw.size());
}

void StoreWriter::raw(QByteArrayView bytes)
{
    if (!m_content && HasVisibleByte(bytes))
        m_content = true;
    put(bytes.data(), bytes.size());
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
    shell::KeepVersion(m_store, m_change);
    if (file.exists() && !file.remove())
        shell::ThrowFileError(QStringLiteral("Cannot delete file"), m_store, file.errorString());
}

bool DropEntryRest(StoreLineReader& reader, StoreWriter& writer, QByteArrayView& line,
                   const std::function<void(QByteArrayView)>& passOver)
{
    bool more = true;
    while ((more = reader.next(line)) && !IsTailLine(line)) {
    }
    if (!more || !reader.next(line))
        return false;
    // The separator after the tail goes with the entry. A line that is not empty is a neighbour
    // in a store written without separators, and stays.
    if (line.isEmpty())
        return reader.nextHead(line, passOver);
    if (IsHeadLine(line))
        return true;
    writer.copy(line, reader.raw());
    return reader.nextHead(line, passOver);
}

bool RewriteEntry(const QString& store, const QString& name, const QString& kind,
                  const QByteArray& replacement, const QString& change)
{
    if (!QFileInfo::exists(store))
        return false;
    StoreLineReader reader(store);
    StoreWriter writer(store, change);
    // Only head lines and the kind line after them decide anything; the rest goes over unchanged.
    const auto passOver = [&writer](QByteArrayView bytes) { writer.raw(bytes); };
    bool matched = false;
    QByteArrayView line;
    bool haveHead = reader.nextHead(line, passOver);
    while (haveHead) {
        if (!SameName(HeadName(line), name)) {
            writer.copy(line, reader.raw());
            haveHead = reader.nextHead(line, passOver);
            continue;
        }
        // The head's view dies with the next read, so keep its bytes.
        const QByteArray head = reader.raw().toByteArray();
        if (!reader.next(line)) {
            writer.raw(head);
            break;
        }
        if (!SameName(KindAfterPrefix(line), kind)) {
            writer.raw(head);
            writer.copy(line, reader.raw());
            haveHead = reader.nextHead(line, passOver);
            continue;
        }
        matched = true;
        writer.raw(replacement);
        haveHead = DropEntryRest(reader, writer, line, passOver);
    }
    if (!writer.hasContent())
        writer.removeStore();
    else if (matched)
        writer.commit();
    return matched;
}

void AppendToStore(const QString& store, const QByteArray& entry, const QString& change)
{
    StoreWriter writer(store, change);
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
