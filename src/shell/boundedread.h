#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

namespace shell {

// Reads from the device's position up to `limit` + 1 bytes (one past the limit, so the caller
// can tell a file that is too large, or grew while read, from one that fits) in blocks of 1 MB.
// QIODevice::read(limit + 1) would set aside the whole limit for every small file first.
// A read error ends the reading; the caller checks the device's error.
inline QByteArray ReadAtMost(QIODevice& device, qint64 limit)
{
    QByteArray bytes;
    const qint64 size = device.isSequential() ? 0 : device.size() - device.pos();
    bytes.reserve(qsizetype(std::clamp<qint64>(size, 0, limit) + 1));
    while (bytes.size() <= limit) {
        const QByteArray block = device.read(std::min<qint64>(1024 * 1024, limit + 1 - bytes.size()));
        if (block.isEmpty())
            break;
        bytes += block;
    }
    return bytes;
}

} // namespace shell
