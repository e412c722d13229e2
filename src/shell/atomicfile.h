#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace shell {

// Writes a file beside its target and renames it over the target only when everything was
// written, so a crash, a full disk or a failed write leaves the old file whole and no temporary
// file behind. Failures throw shell::Error naming the file and the reason.
class AtomicWriter
{
public:
    explicit AtomicWriter(const QString& path);
    ~AtomicWriter(); // without commit() the target is left untouched

    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    QIODevice& device() { return m_file; }
    void write(const QByteArray& bytes);
    void write(const char* data, qint64 size);
    void commit();
    const QString& path() const { return m_path; }

private:
    QString m_path;
    QSaveFile m_file;
};

// The whole file in one call.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace shell
