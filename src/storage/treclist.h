#pragma once

#include <QByteArray>
#include <QList>

namespace storage {

// TRecList: an ordered list of owned byte records of any size (the compiled index records, the
// Topic menu's entries).
class TRecList
{
public:
    // Appends a private copy of `size` bytes.
    void add(const char* bytes, qsizetype size) { m_records.append(QByteArray(bytes, size)); }
    void add(const QByteArray& record) { m_records.append(record); }
    qsizetype count() const { return m_records.size(); }
    // Copies the record at `index` into the buffer, at most bufferSize bytes; returns how many.
    // An index outside the list copies nothing.
    qsizetype get(qsizetype index, char* buffer, qsizetype bufferSize) const
    {
        if (index < 0 || index >= m_records.size() || bufferSize <= 0)
            return 0;
        const QByteArray& record = m_records[index];
        const qsizetype n = std::min(record.size(), bufferSize);
        std::copy_n(record.constData(), n, buffer);
        return n;
    }
    const QByteArray& at(qsizetype index) const { return m_records[index]; }
    void clear() { m_records.clear(); }

private:
    QList<QByteArray> m_records;
};

} // namespace storage
