#include "shell/atomicfile.h"

#include "shell/error.h"

#include <QDir>

namespace shell {

void ThrowFileError(const QString& verb, const QString& path, const QString& reason)
{
    throw Error(verb + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason);
}

AtomicWriter::AtomicWriter(const QString& path) : m_path(path), m_file(path)
{
    // Renaming over the target is what makes the write safe; never fall back to writing in place.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly))
        ThrowFileError(QStringLiteral("Cannot create file"), path, m_file.errorString());
}

AtomicWriter::~AtomicWriter()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void AtomicWriter::write(const QByteArray& bytes)
{
    write(bytes.constData(), bytes.size());
}

void AtomicWriter::write(const char* data, qint64 size)
{
    if (m_file.write(data, size) != size) {
        const QString reason = m_file.errorString();
        m_file.cancelWriting();
        ThrowFileError(QStringLiteral("Cannot write file"), m_path, reason);
    }
}

void AtomicWriter::commit()
{
    if (!m_file.commit())
        ThrowFileError(QStringLiteral("Cannot write file"), m_path, m_file.errorString());
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    AtomicWriter writer(path);
    writer.write(bytes);
    writer.commit();
}

} // namespace shell
