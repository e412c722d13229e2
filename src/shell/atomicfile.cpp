#include "shell/atomicfile.h"

#include "shell/error.h"
#include "shell/history.h"

#include <QDir>

namespace shell {

void ThrowFileError(const QString& verb, const QString& path, const QString& reason)
{
    throw Error(verb + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason);
}

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
}

AtomicWriter::AtomicWriter(const QString& path) : m_path(path), m_file(path)
{
    // Renaming over the target is what makes the write safe; never fall back to writing in place.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        ThrowFileError(QStringLiteral("Cannot create file"), path, m_file.errorString());
    m_buffer.reserve(kBufferSize);
}

AtomicWriter::~AtomicWriter()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void AtomicWriter::fail(const QString& verb, const QString& reason)
{
    m_file.cancelWriting();
    ThrowFileError(verb, m_path, reason.isEmpty() ? QStringLiteral("the disk is full") : reason);
}

void AtomicWriter::flushBuffer()
{
    if (m_buffer.isEmpty())
        return;
    const qint64 put = m_file.write(m_buffer);
    if (put != m_buffer.size())
        fail(QStringLiteral("Cannot write file"), put < 0 ? m_file.errorString() : QString());
    m_buffer.clear();
}

QIODevice& AtomicWriter::device()
{
    flushBuffer();
    return m_file;
}

void AtomicWriter::write(const QByteArray& bytes)
{
    write(bytes.constData(), bytes.size());
}

void AtomicWriter::write(const char* data, qint64 size)
{
    if (m_buffer.size() + size > kBufferSize)
        flushBuffer();
    if (size >= kBufferSize) {
        const qint64 put = m_file.write(data, size);
        if (put != size)
            fail(QStringLiteral("Cannot write file"), put < 0 ? m_file.errorString() : QString());
        return;
    }
    m_buffer.append(data, size);
}

void AtomicWriter::commit()
{
    flushBuffer();
    // Linked before the rename: a crash between the two leaves a version equal to the live file,
    // never a live file without its predecessor.
    if (!m_change.isNull())
        KeepVersion(m_path, m_change);
    if (!m_file.commit())
        ThrowFileError(QStringLiteral("Cannot write file"), m_path, m_file.errorString());
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes, const QString& change)
{
    AtomicWriter writer(path);
    if (!change.isNull())
        writer.keepVersion(change);
    writer.write(bytes);
    writer.commit();
}

} // namespace shell
