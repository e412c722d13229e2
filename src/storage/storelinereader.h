#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>

namespace storage {

// Reads the topic store line by line without turning every line into a QString: a 50 MB store is
// scanned in large blocks and each line is handed out as a view into the block. A line ends at LF;
// a CR before the LF is dropped, so CR LF and bare LF stores read alike. The last line may lack its
// line end. A line longer than the limit (kMaxLineBytes unless told) is refused as damage rather
// than grown without bound.
class StoreLineReader
{
public:
    static constexpr qsizetype kBlockBytes = 1 << 20;
    static constexpr qsizetype kMaxLineBytes = qsizetype(256) << 20;

    // Opens the store; throws shell::Error when it cannot be opened.
    explicit StoreLineReader(const QString& path, qsizetype maxLineBytes = kMaxLineBytes);

    StoreLineReader(const StoreLineReader&) = delete;
    StoreLineReader& operator=(const StoreLineReader&) = delete;

    // The next line, valid until the next call; false at the end of the file. Read failures and
    // overlong lines throw shell::Error.
    bool next(QByteArrayView& line);
    // The next head line (one that begins with "["), as next() gives it; every line before it is
    // handed to `passOver` as raw bytes in large pieces (when it is set) instead of line by line.
    // Most of a store is page text, so looking only for heads is what makes a scan cheap.
    bool nextHead(QByteArrayView& line, const std::function<void(QByteArrayView)>& passOver = {});
    // The last line as it stands in the file, with its line end (if it had one), valid as long as
    // the line itself. Rewrites copy untouched lines this way, byte for byte.
    QByteArrayView raw() const { return m_raw; }

private:
    bool fill();

    QString m_path;
    qsizetype m_maxLineBytes;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    bool m_eof = false;
    QByteArrayView m_raw;
};

// A head line begins with "[", a tail line of the rewrite and extract operations is exactly "]".
inline bool IsHeadLine(QByteArrayView line)
{
    return !line.isEmpty() && line.front() == '[';
}
inline bool IsTailLine(QByteArrayView line)
{
    return line.size() == 1 && line.front() == ']';
}

// The head line without its first and last character, decoded.
QString HeadName(QByteArrayView line);
// The text of a line from the eighth character on ("source=" is seven), decoded.
QString KindAfterPrefix(QByteArrayView line);
// The text of a line after its first "=", decoded; empty when there is none.
QString ValueAfterEquals(QByteArrayView line);
// Letter case ignored the way names and kinds are compared everywhere in the store.
bool SameName(const QString& a, const QString& b);

} // namespace storage
