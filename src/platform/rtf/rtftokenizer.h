#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace platform::rtf {

// What can go wrong in an RTF stream. The tokenizer recovers from each of them and goes on; the
// problems are reported so a caller can tell a clean document from a mended one.
enum class RtfError
{
    None,
    NotRtf,           // the stream does not open with "{\rtf"
    ReadFailed,       // the device could not be read or is larger than the reader accepts
    UnbalancedGroups, // a "}" without its "{": ignored
    UnexpectedEnd,    // the stream ended inside groups, a control word or a "\'" escape
    BadHex,           // "\'" not followed by two hex digits: the escape is dropped
    GroupTooDeep,     // groups nested beyond kMaxGroupDepth: the inner ones are flattened
    WordTooLong,      // a control word longer than kMaxWordLength: read as an unknown word
    NumberOutOfRange, // a parameter beyond kMaxParameter: clamped
    BinaryTooLong,    // "\binN" reaching past the end of the stream: the rest is skipped
};

struct RtfProblem
{
    RtfError error = RtfError::None;
    qint64 position = 0; // byte offset in the stream where the problem was found
};

// Receives the syntax of an RTF stream in order. Text arrives in runs that never contain the
// ignored CR and LF bytes; a run is only valid during the call.
class RtfListener
{
public:
    virtual ~RtfListener() = default;
    virtual void groupStart() = 0;
    virtual void groupEnd() = 0;
    // A control word such as "\fs24": the letters, whether a parameter followed, and its value.
    virtual void controlWord(QByteArrayView word, bool hasParameter, int parameter) = 0;
    // A control symbol such as "\~" or "\{": the one character after the backslash.
    virtual void controlSymbol(char symbol) = 0;
    // "\'hh": one byte in the current code page.
    virtual void hexByte(unsigned char byte) = 0;
    virtual void text(QByteArrayView bytes) = 0;
    // The data of "\binN" (the control word itself is not reported).
    virtual void binary(QByteArrayView bytes) = 0;
};

// The syntax layer of the RTF reader: splits a byte stream into groups, control words, control
// symbols, hex escapes, text and binary data, and knows nothing of what the words mean. It runs in
// one pass without recursion, so depth costs no stack; group depth, word length, parameters and
// binary lengths are bounded by the limits below.
class RtfTokenizer
{
public:
    static constexpr int kMaxGroupDepth = 512;
    static constexpr int kMaxWordLength = 32;
    // Parameters are at most ten digits; larger values are clamped to this.
    static constexpr int kMaxParameter = 0x7FFFFFFF;
    static constexpr int kMaxProblems = 64;

    // Tokenizes the whole of data and reports to listener. Returns false when the data is not RTF
    // (nothing is reported then).
    bool tokenize(QByteArrayView data, RtfListener& listener);

    // Problems met during the last tokenize(), in stream order; at most kMaxProblems are kept.
    const QList<RtfProblem>& problems() const { return m_problems; }

private:
    void report(RtfError error, qint64 position);

    QList<RtfProblem> m_problems;
};

} // namespace platform::rtf
