#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace shell {
struct AppState;
}

// The compiler turns a topic store (NAME.SWR) into a compiled body, and a Study List into
// NAME.SWC: the 5105-byte settings record followed by that body. The body layout, all integers
// 32-bit signed little-endian, every offset counted from the first byte of the body:
//
//   offset  size  field
//        0     1  3, the length of the signature
//        1     3  "WR1"
//        4     1  0
//        5     4  number of entries
//        9     4  offset of the index (0 when there are no entries)
//       13        entry blocks, one per entry in store order; each a run of lines ending in CR LF:
//                 the head line "[name]", the bare kind ("HYPER", "INTRO"; at most 10 bytes), then
//                 every line of the entry after its kind line up to, not including, its tail
//    index        one 80-byte record per entry, in block order:
//                   0 name length (0..60), 1 the head line cut to 60 bytes (brackets included),
//                  61 block offset, 65 block length, 69 kind length (0..10), 70 kind (10 bytes)
//
// Bytes of the string fields beyond their length are written as zeros and mean nothing.
namespace publish {

constexpr int kBodyHeaderSize = 13;
constexpr int kIndexRecordSize = 80;
constexpr int kIndexNameWidth = 60;
constexpr int kIndexKindWidth = 10;
constexpr int kIndexBlockOffsetAt = 61;
constexpr int kIndexBlockLengthAt = 65;
constexpr int kIndexKindLengthAt = 69;
constexpr int kIndexKindAt = 70;
// The first five bytes of every body: the signature's length byte, "WR1" and a zero.
inline constexpr char kBodySignature[] = "\x03WR1";
constexpr int kBodySignatureSize = 5;

// The head line cut to the index's name width without splitting a UTF-8 character.
QByteArray IndexName(QByteArrayView headLine);

// Writes the compiled body of the store to `output`, a seekable device open for writing, from
// its current position on (offsets count from there); the store is read once, line by line, and
// each line goes out as it is read, so memory does not grow with the store. Returns the number
// of entries. A read or write failure, or a body beyond the 2 GiB the 32-bit offsets can address,
// throws shell::Error naming `outputName`.
int CompileStore(const QString& storePath, QIODevice& output, const QString& outputName);

// Writes the compiled body of the store to `bodyPath` (atomically: a failure leaves any earlier
// file there untouched). False, and no body file, when the store does not exist.
bool CompileStore(const QString& storePath, const QString& bodyPath);

// Compiles the current Study List into NAME.SWC in its directory: the settings record as it
// stands in memory, then the body. NAME.SWC is written beside its final name and renamed over it
// only when complete, so the body goes straight into it rather than through a separate NAME.$$$
// pass; a NAME.$$$ left by an earlier interrupted compile is removed whatever happens. Returns
// the path of NAME.SWC. Throws shell::Error when the store is missing or a file operation fails.
QString CompileStudyList(shell::AppState& state);

// "The Topic List S has been compiled. Use the command MERIDOX S to display it."
QString CompiledMessage(const QString& compiledFileName);

// The compile command of the main window: compiles and reports the result with ShowInfo.
void CompileCommand(shell::AppState& state);

} // namespace publish
