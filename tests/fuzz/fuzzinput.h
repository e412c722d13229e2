#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Writes the fuzzer's input to `name` in a folder kept for the whole run and returns its path,
// for parsers that read files by name.
inline QString WriteFuzzInput(const std::uint8_t* data, std::size_t size, const QString& name)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}
