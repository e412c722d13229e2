#include "publish/elfimage.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace publish {

namespace {

constexpr qint64 kNotElf = -1;

struct ElfTables
{
    quint64 phoff = 0;
    quint64 shoff = 0;
    quint32 phentsize = 0;
    quint32 phnum = 0;
    quint32 shentsize = 0;
    quint32 shnum = 0;

    quint64 programTableEnd() const { return phoff + quint64(phentsize) * phnum; }
};

bool ReadElfHeader(const char* bytes, qint64 size, ElfTables& tables)
{
    if (size < kElfHeaderSize)
        return false;
    const auto* u = reinterpret_cast<const unsigned char*>(bytes);
    if (u[0] != 0x7F || u[1] != 'E' || u[2] != 'L' || u[3] != 'F' || u[4] != 2 || u[5] != 1)
        return false;
    tables.phoff = qFromLittleEndian<quint64>(bytes + 32);
    tables.shoff = qFromLittleEndian<quint64>(bytes + 40);
    tables.phentsize = qFromLittleEndian<quint16>(bytes + 54);
    tables.phnum = qFromLittleEndian<quint16>(bytes + 56);
    tables.shentsize = qFromLittleEndian<quint16>(bytes + 58);
    tables.shnum = qFromLittleEndian<quint16>(bytes + 60);
    // Offsets this large cannot belong to a file; refusing them keeps the sums below exact.
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) / 4;
    if (tables.phoff > limit || tables.shoff > limit)
        return false;
    if (tables.phnum > kElfMaxProgramHeaders)
        return false;
    return tables.phnum == 0 || tables.phentsize >= kElfProgramHeaderMinSize;
}

// The image end from the ELF header and the program-header table, which starts at `table`.
qint64 ImageEnd(const ElfTables& tables, const char* table)
{
    quint64 end = tables.shnum > 0 ? tables.shoff + quint64(tables.shentsize) * tables.shnum : 0;
    // With more than 65279 sections e_shnum is 0 and the table still has its first entry.
    if (tables.shnum == 0 && tables.shoff != 0)
        end = tables.shoff + tables.shentsize;
    end = std::max(end, quint64(kElfHeaderSize));
    end = std::max(end, tables.programTableEnd());
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) / 4;
    for (quint32 i = 0; i < tables.phnum; ++i) {
        const char* entry = table + qsizetype(i) * tables.phentsize;
        const auto offset = qFromLittleEndian<quint64>(entry + 8);
        const auto fileSize = qFromLittleEndian<quint64>(entry + 32);
        if (offset > limit || fileSize > limit)
            return kNotElf;
        end = std::max(end, offset + fileSize);
    }
    return qint64(end);
}

} // namespace

qint64 ElfImageEnd(const QByteArray& header)
{
    ElfTables tables;
    if (!ReadElfHeader(header.constData(), header.size(), tables))
        return kNotElf;
    if (tables.programTableEnd() > quint64(header.size()))
        return kNotElf;
    return ImageEnd(tables, header.constData() + tables.phoff);
}

qint64 ElfImageEnd(QIODevice& device)
{
    const qint64 size = device.size();
    if (!device.seek(0))
        return kNotElf;
    const QByteArray head = device.read(kElfHeaderSize);
    ElfTables tables;
    if (!ReadElfHeader(head.constData(), head.size(), tables))
        return kNotElf;
    if (tables.programTableEnd() > quint64(size))
        return kNotElf;
    const qint64 tableSize = qint64(tables.phentsize) * tables.phnum;
    QByteArray table;
    if (tableSize > 0) {
        if (!device.seek(qint64(tables.phoff)))
            return kNotElf;
        table = device.read(tableSize);
        if (table.size() != tableSize)
            return kNotElf;
    }
    const qint64 end = ImageEnd(tables, table.constData());
    return end > size ? kNotElf : end;
}

} // namespace publish
