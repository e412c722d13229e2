#include "storage/storelinereader.h"

#include "shell/error.h"
#include "shell/textcodec.h"

#include <QDir>

#include <algorithm>
#include <cstring>

namespace storage {

StoreLineReader::StoreLineReader(const QString& path, qsizetype maxLineBytes)
    : m_path(path), m_maxLineBytes(std::max(maxLineBytes, kBlockBytes)), m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        shell::ThrowFileError(QStringLiteral("Cannot open file"), path, m_file.errorString());
    m_buffer.resize(kBlockBytes);
}

bool StoreLineReader::fill()
{
    // Keep the unfinished line at the front of the buffer and read behind it.
    const qsizetype pending = m_end - m_begin;
    if (m_begin > 0 && pending > 0)
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(pending));
    m_begin = 0;
    m_end = pending;
    if (m_end == m_buffer.size()) {
        if (m_buffer.size() >= m_maxLineBytes)
            throw shell::Error(
                QStringLiteral("The topic store %1 is damaged: it holds a line of more than %2 bytes.")
                    .arg(QDir::toNativeSeparators(m_path))
                    .arg(m_maxLineBytes));
        m_buffer.resize(std::min(m_buffer.size() * 2, m_maxLineBytes));
    }
    const qint64 got = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got < 0)
        shell::ThrowFileError(QStringLiteral("Cannot read file"), m_path, m_file.errorString());
    if (got == 0) {
        m_eof = true;
        return false;
    }
    m_end += qsizetype(got);
    return true;
}

bool StoreLineReader::next(QByteArrayView& line)
{
    for (;;) {
        const char* begin = m_buffer.constData() + m_begin;
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', size_t(m_end - m_begin)));
        if (lf) {
            qsizetype length = lf - begin;
            m_begin += length + 1;
            m_raw = QByteArrayView(begin, length + 1);
            if (length > 0 && begin[length - 1] == '\r')
                --length;
            line = QByteArrayView(begin, length);
            return true;
        }
        if (m_eof || !fill()) {
            if (m_begin >= m_end)
                return false;
            begin = m_buffer.constData() + m_begin;
            qsizetype length = m_end - m_begin;
            m_begin = m_end;
            m_raw = QByteArrayView(begin, length);
            if (begin[length - 1] == '\r')
                --length;
            line = QByteArrayView(begin, length);
            return true;
        }
    }
}

bool StoreLineReader::nextHead(QByteArrayView& line, const std::function<void(QByteArrayView)>& passOver)
{
    // m_begin is always at the start of a line here.
    for (;;) {
        if (m_begin >= m_end) {
            if (m_eof || !fill())
                return false;
            continue;
        }
        const char* buffer = m_buffer.constData();
        if (buffer[m_begin] == '[')
            return next(line);
        // A head is a "[" right after a line feed.
        const char* from = buffer + m_begin;
        const char* end = buffer + m_end;
        const char* head = nullptr;
        while (from < end) {
            const auto* bracket = static_cast<const char*>(std::memchr(from, '[', size_t(end - from)));
            if (!bracket)
                break;
            if (bracket[-1] == '\n') {
                head = bracket;
                break;
            }
            from = bracket + 1;
        }
        if (head) {
            if (passOver)
                passOver(QByteArrayView(buffer + m_begin, head - (buffer + m_begin)));
            m_begin = head - buffer;
            return next(line);
        }
        // No head in what is buffered: pass over its whole lines and read on.
        const auto* lastLf =
            static_cast<const char*>(memrchr(buffer + m_begin, '\n', size_t(m_end - m_begin)));
        if (lastLf) {
            if (passOver)
                passOver(QByteArrayView(buffer + m_begin, lastLf + 1 - (buffer + m_begin)));
            m_begin = lastLf + 1 - buffer;
        }
        if (m_eof || !fill()) {
            // An unfinished last line that is no head.
            if (m_begin < m_end && passOver)
                passOver(QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin));
            m_begin = m_end;
            return false;
        }
    }
}

QString HeadName(QByteArrayView line)
{
    if (line.size() <= 2)
        return {};
    return shell::DecodeText(line.sliced(1, line.size() - 2));
}

QString KindAfterPrefix(QByteArrayView line)
{
    if (line.size() <= 7)
        return {};
    return shell::DecodeText(line.sliced(7));
}

QString ValueAfterEquals(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return {};
    return shell::DecodeText(line.sliced(equals + 1));
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace storage
