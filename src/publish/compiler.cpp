#include "publish/compiler.h"

#include "shell/appstate.h"
#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/filenames.h"
#include "shell/utilities.h"
#include "storage/settingsrecord.h"
#include "storage/treclist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace publish {

namespace {

constexpr qsizetype kReadChunk = 256 * 1024;
constexpr qsizetype kWriteChunk = 256 * 1024;
// Characters 8 to 17 of the kind line ("source=HYPER" gives "HYPER").
constexpr qsizetype kKindLineSkip = 7;

// Splits a file into lines without copying them: a line ends at LF, and a CR before the LF is
// not part of it; a last line without LF still counts. A view stays valid until the next call.
class LineReader
{
public:
    LineReader(QIODevice& input, const QString& name) : m_input(input), m_name(name)
    {
        m_buffer.resize(kReadChunk);
    }

    bool next(QByteArrayView& line)
    {
        for (;;) {
            const char* start = m_buffer.constData() + m_pos;
            const void* lf = std::memchr(start, '\n', size_t(m_end - m_pos));
            if (lf) {
                const qsizetype length = static_cast<const char*>(lf) - start;
                m_pos += length + 1;
                line = trimmed(start, length);
                return true;
            }
            if (m_atEnd) {
                if (m_pos == m_end)
                    return false;
                line = trimmed(start, m_end - m_pos);
                m_pos = m_end;
                return true;
            }
            refill();
        }
    }

private:
    static QByteArrayView trimmed(const char* start, qsizetype length)
    {
        if (length > 0 && start[length - 1] == '\r')
            --length;
        return QByteArrayView(start, length);
    }

    void refill()
    {
        // Keep the unfinished line at the front; a line longer than the buffer grows it.
        const qsizetype kept = m_end - m_pos;
        if (m_pos > 0 && kept > 0)
            std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(kept));
        m_pos = 0;
        m_end = kept;
        if (m_buffer.size() - m_end < kReadChunk / 2)
            m_buffer.resize(m_buffer.size() * 2);
        const qint64 got = m_input.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got < 0)
            shell::ThrowFileError(QStringLiteral("Cannot read file"), m_name, m_input.errorString());
        if (got == 0)
            m_atEnd = true;
        m_end += got;
    }

    QIODevice& m_input;
    QString m_name;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    bool m_atEnd = false;
};

// Collects output in one fixed buffer written out in large pieces, and knows the body position
// of everything written.
class BodyWriter
{
public:
    BodyWriter(QIODevice& output, const QString& name)
        : m_output(output), m_name(name), m_start(output.pos()), m_buffer(kWriteChunk)
    {
    }

    qint64 position() const { return m_flushed + m_used; }

    void writeLine(QByteArrayView line)
    {
        write(line);
        write(QByteArrayView("\r\n", 2));
    }

    void write(QByteArrayView bytes)
    {
        if (bytes.isEmpty()) // an empty view may hold no address, which memcpy must not get
            return;
        if (m_used + bytes.size() > kWriteChunk) {
            flush();
            if (bytes.size() > kWriteChunk) {
                writeOut(bytes.data(), bytes.size());
                return;
            }
        }
        std::memcpy(m_buffer.data() + m_used, bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }

    void flush()
    {
        const qsizetype used = m_used;
        m_used = 0;
        writeOut(m_buffer.data(), used);
    }

    void writeAt(qint64 bodyOffset, const QByteArray& bytes)
    {
        flush();
        if (!m_output.seek(m_start + bodyOffset) || m_output.write(bytes) != bytes.size() ||
            !m_output.seek(m_start + m_flushed))
            fail();
    }

private:
    void writeOut(const char* data, qsizetype size)
    {
        if (size == 0)
            return;
        if (m_flushed + size > std::numeric_limits<qint32>::max())
            throw shell::Error(QStringLiteral("The compiled Study List would be larger than 2 GB: ") +
                               QDir::toNativeSeparators(m_name));
        if (m_output.write(data, size) != size)
            fail();
        m_flushed += size;
    }

    [[noreturn]] void fail()
    {
        shell::ThrowFileError(QStringLiteral("Cannot write file"), m_name, m_output.errorString());
    }

    QIODevice& m_output;
    QString m_name;
    qint64 m_start;
    qint64 m_flushed = 0;
    std::vector<char> m_buffer;
    qsizetype m_used = 0;
};

QByteArray Header(qint32 count, qint32 indexOffset)
{
    QByteArray header(kBodyHeaderSize, '\0');
    std::memcpy(header.data(), kBodySignature, kBodySignatureSize);
    qToLittleEndian<qint32>(count, header.data() + 5);
    qToLittleEndian<qint32>(indexOffset, header.data() + 9);
    return header;
}

// `bytes` cut to at most maxBytes; text that is UTF-8 is not cut inside a character.
QByteArrayView CutBytes(QByteArrayView bytes, qsizetype maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    qsizetype n = maxBytes;
    if (bytes.isValidUtf8()) {
        while (n > 0 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80)
            --n;
    }
    return bytes.first(n);
}

class IndexRecord
{
public:
    IndexRecord(QByteArrayView headLine, QByteArrayView kind, qint64 start) : m_bytes(kIndexRecordSize, '\0')
    {
        const QByteArrayView name = CutBytes(headLine, kIndexNameWidth);
        // replace() rather than memcpy: an empty name or kind may come without an address.
        m_bytes[0] = char(name.size());
        m_bytes.replace(1, name.size(), name);
        qToLittleEndian<qint32>(qint32(start), m_bytes.data() + kIndexBlockOffsetAt);
        m_bytes[kIndexKindLengthAt] = char(kind.size());
        m_bytes.replace(kIndexKindAt, kind.size(), kind);
        m_start = start;
    }

    QByteArray close(qint64 end)
    {
        qToLittleEndian<qint32>(qint32(end - m_start), m_bytes.data() + kIndexBlockLengthAt);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    qint64 m_start = 0;
};

} // namespace

QByteArray IndexName(QByteArrayView headLine)
{
    return CutBytes(headLine, kIndexNameWidth).toByteArray();
}

int CompileStore(const QString& storePath, QIODevice& output, const QString& outputName)
{
    QFile store(storePath);
    if (!store.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), storePath, store.errorString());

    BodyWriter body(output, outputName);
    body.write(Header(0, 0));

    LineReader reader(store, storePath);
    storage::TRecList index;
    std::optional<IndexRecord> open;
    bool inside = true;
    QByteArrayView line;
    while (reader.next(line)) {
        const char first = line.isEmpty() ? '\0' : line.front();
        if (first == ']')
            inside = false;
        if (inside && first != '[') {
            // Lines before the first head line have no entry to go to and are dropped.
            if (open)
                body.writeLine(line);
            continue;
        }
        if (first != '[')
            continue; // a tail, or a line between a tail and the next head
        if (open)
            index.add(open->close(body.position()));
        const qint64 start = body.position();
        body.writeLine(line);
        // The head line's view ends with the next read, so its index name is taken first.
        const QByteArray head = line.toByteArray();
        QByteArrayView kindLine;
        if (!reader.next(kindLine))
            kindLine = {};
        const QByteArrayView kind =
            CutBytes(kindLine.size() > kKindLineSkip ? kindLine.sliced(kKindLineSkip) : QByteArrayView(),
                     kIndexKindWidth);
        body.writeLine(kind);
        open.emplace(head, kind, start);
        inside = true;
        if (index.count() + 1 > std::numeric_limits<qint32>::max())
            throw shell::Error(QStringLiteral("The topic store has too many entries: ") +
                               QDir::toNativeSeparators(storePath));
    }
    if (open)
        index.add(open->close(body.position()));

    const auto count = qint32(index.count());
    if (count > 0) {
        const qint64 indexOffset = body.position();
        for (qsizetype i = 0; i < index.count(); ++i)
            body.write(index.at(i));
        body.writeAt(0, Header(count, qint32(indexOffset)));
    }
    body.flush();
    return count;
}

bool CompileStore(const QString& storePath, const QString& bodyPath)
{
    if (!QFileInfo(storePath).isFile())
        return false;
    shell::AtomicWriter writer(bodyPath);
    CompileStore(storePath, writer.device(), bodyPath);
    writer.commit();
    return true;
}

QString CompileStudyList(shell::AppState& state)
{
    const QString name = state.listName();
    const QString leftover = state.resolve(name + QStringLiteral(".$$$"));
    struct RemoveLeftover
    {
        QString path;
        ~RemoveLeftover() { QFile::remove(path); }
    } removeLeftover{leftover};

    const QString store = state.resolve(state.TopicStorePath);
    if (state.TopicStorePath.isEmpty() || !QFileInfo(store).isFile())
        throw shell::Error(QStringLiteral("The topic store ") + QDir::toNativeSeparators(store) +
                           QStringLiteral(" was not found."));

    const QString compiled = state.resolve(name + QStringLiteral(".SWC"));
    shell::AtomicWriter writer(compiled);
    writer.write(storage::EncodeSettings(state.Settings));
    CompileStore(store, writer.device(), compiled);
    writer.commit();
    return compiled;
}

QString CompiledMessage(const QString& compiledFileName)
{
    return QStringLiteral("The Topic List ") + compiledFileName +
           QStringLiteral(" has been compiled. Use the command MERIDOX ") + compiledFileName +
           QStringLiteral(" to display it.");
}

void CompileCommand(shell::AppState& state)
{
    const QString compiled = CompileStudyList(state);
    shell::ShowInfo(CompiledMessage(shell::FileNameOf(compiled).toUpper()));
}

} // namespace publish
