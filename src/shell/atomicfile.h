#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace shell {

// Writes a file beside its target and renames it over the target only when everything was
// written (every write is checked: Qt's buffered file devices can report a short write on a full
// disk as success, so the file is opened unbuffered and buffered here), so a crash, a full disk or a failed write leaves the old file whole and no temporary
// file behind. Failures throw shell::Error naming the file and the reason.
class AtomicWriter
{
public:
    explicit AtomicWriter(const QString& path);
    ~AtomicWriter(); // without commit() the target is left untouched

    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    // The underlying unbuffered file, for writers that seek; pending buffered bytes go out first.
    // Its write() reports short writes, which callers must check.
    QIODevice& device();
    void write(const QByteArray& bytes);
    void write(const char* data, qint64 size);
    // Makes commit() keep the file being replaced in the list's .history/ first (see history.h),
    // noting `change` as what replaced it.
    void keepVersion(const QString& change) { m_change = change; }
    void commit();
    const QString& path() const { return m_path; }

private:
    void flushBuffer();
    [[noreturn]] void fail(const QString& verb, const QString& reason);

    QString m_path;
    QSaveFile m_file;
    QByteArray m_buffer;
    QString m_change;
};

// The whole file in one call; with a `change`, the file replaced is kept as a version.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, const QString& change = {});

} // namespace shell
