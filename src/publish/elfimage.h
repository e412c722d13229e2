#pragma once

#include <QByteArray>
#include <QIODevice>

// Where a program file's own image ends, so data appended to it (a compiled Study List behind the
// reader program) can be found without any marker. Understood are 64-bit little-endian ELF files:
//
//   ELF header  0 magic 7F 'E' 'L' 'F', 4 class (2 = 64-bit), 5 data (1 = little-endian),
//              32 e_phoff (8), 40 e_shoff (8), 54 e_phentsize (2), 56 e_phnum (2),
//              58 e_shentsize (2), 60 e_shnum (2)
//   program header (e_phentsize >= 56 bytes each): 8 p_offset (8), 32 p_filesz (8)
//
// The image ends at the furthest of the section-header table's end (e_shoff + e_shnum *
// e_shentsize) and every segment's p_offset + p_filesz.
namespace publish {

constexpr int kElfHeaderSize = 64;
constexpr int kElfProgramHeaderMinSize = 56;
// Far more program headers than any linker writes; a larger table means a damaged file.
constexpr int kElfMaxProgramHeaders = 4096;

// `header` holds the start of the file, at least the ELF header and the program-header table.
// Returns -1 when it is not a 64-bit little-endian ELF file or a table lies outside what is given.
qint64 ElfImageEnd(const QByteArray& header);

// Reads what it needs from the device (open, seekable). Returns -1 when the file is not a 64-bit
// little-endian ELF file or its tables or segments reach beyond the end of the file.
qint64 ElfImageEnd(QIODevice& device);

} // namespace publish
