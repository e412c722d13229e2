#include "platform/rtf/rtftokenizer.h"

namespace platform::rtf {

namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void RtfTokenizer::report(RtfError error, qint64 position)
{
    if (m_problems.size() < kMaxProblems)
        m_problems.append({error, position});
}

bool RtfTokenizer::tokenize(QByteArrayView data, RtfListener& listener)
{
    m_problems.clear();
    const char* const begin = data.data();
    const qsizetype size = data.size();
    qsizetype i = 0;
    // A UTF-8 byte order mark and white space before the first group are tolerated.
    if (size >= 3 && data.first(3) == QByteArrayView("\xEF\xBB\xBF"))
        i = 3;
    while (i < size && (begin[i] == ' ' || begin[i] == '\t' || begin[i] == '\r' || begin[i] == '\n'))
        ++i;
    if (!data.sliced(i).startsWith(QByteArrayView("{\\rtf"))) {
        report(RtfError::NotRtf, i);
        return false;
    }

    int depth = 0;
    int flattened = 0; // groups opened beyond the depth limit, not reported
    while (i < size) {
        const char c = begin[i];
        if (c == '{') {
            if (depth >= kMaxGroupDepth) {
                if (flattened == 0)
                    report(RtfError::GroupTooDeep, i);
                ++flattened;
            } else {
                ++depth;
                listener.groupStart();
            }
            ++i;
        } else if (c == '}') {
            if (flattened > 0) {
                --flattened;
            } else if (depth > 0) {
                --depth;
                listener.groupEnd();
            } else {
                report(RtfError::UnbalancedGroups, i);
            }
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c == '\\') {
            const qsizetype start = i;
            ++i;
            if (i >= size) {
                report(RtfError::UnexpectedEnd, start);
                break;
            }
            const char next = begin[i];
            if (IsLetter(next)) {
                const qsizetype wordStart = i;
                while (i < size && IsLetter(begin[i]))
                    ++i;
                qsizetype wordLength = i - wordStart;
                if (wordLength > kMaxWordLength) {
                    report(RtfError::WordTooLong, wordStart);
                    wordLength = kMaxWordLength; // kept short, so it matches no known word
                }
                bool hasParameter = false;
                bool negative = false;
                qint64 value = 0;
                if (i < size && begin[i] == '-' && i + 1 < size && IsDigit(begin[i + 1])) {
                    negative = true;
                    ++i;
                }
                if (i < size && IsDigit(begin[i])) {
                    hasParameter = true;
                    bool clamped = false;
                    while (i < size && IsDigit(begin[i])) {
                        if (!clamped) {
                            value = value * 10 + (begin[i] - '0');
                            if (value > kMaxParameter) {
                                value = kMaxParameter;
                                clamped = true;
                                report(RtfError::NumberOutOfRange, i);
                            }
                        }
                        ++i;
                    }
                }
                if (i < size && begin[i] == ' ')
                    ++i; // the delimiting space belongs to the word
                const int parameter = int(negative ? -value : value);
                const QByteArrayView word(begin + wordStart, wordLength);
                if (word == QByteArrayView("bin") && wordLength == 3) {
                    qint64 length = hasParameter && parameter > 0 ? parameter : 0;
                    if (length > size - i) {
                        report(RtfError::BinaryTooLong, start);
                        length = size - i;
                    }
                    listener.binary(QByteArrayView(begin + i, qsizetype(length)));
                    i += qsizetype(length);
                } else {
                    listener.controlWord(word, hasParameter, parameter);
                }
            } else if (next == '\'') {
                ++i;
                if (i + 1 >= size) {
                    report(RtfError::UnexpectedEnd, start);
                    i = size;
                    break;
                }
                const int high = HexValue(begin[i]);
                const int low = HexValue(begin[i + 1]);
                if (high < 0 || low < 0) {
                    report(RtfError::BadHex, start);
                    // Only the digits that are hex are taken as part of the broken escape.
                    if (high >= 0)
                        ++i;
                } else {
                    listener.hexByte(static_cast<unsigned char>(high * 16 + low));
                    i += 2;
                }
            } else {
                listener.controlSymbol(next);
                ++i;
            }
        } else {
            const qsizetype start = i;
            while (i < size) {
                const char t = begin[i];
                if (t == '\\' || t == '{' || t == '}' || t == '\r' || t == '\n')
                    break;
                ++i;
            }
            listener.text(QByteArrayView(begin + start, i - start));
        }
    }
    if (depth > 0 || flattened > 0)
        report(RtfError::UnexpectedEnd, size);
    return true;
}

} // namespace platform::rtf
