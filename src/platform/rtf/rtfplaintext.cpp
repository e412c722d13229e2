#include "platform/rtf/rtfplaintext.h"

#include "platform/rtf/rtfcodepage.h"
#include "platform/rtf/rtfcontrolwords.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtftokenizer.h"
#include "platform/rtf/rtfwriter.h"

#include <QList>
#include <algorithm>

namespace platform::rtf {

namespace {

constexpr int kMaxUnicodeSkip = 16;

// Collects the readable text of the body, group by group; a group either reads its text or
// skips it with everything nested inside.
class PlainTextListener : public RtfListener
{
public:
    explicit PlainTextListener(QString& out) : m_out(out)
    {
        m_stack.reserve(RtfTokenizer::kMaxGroupDepth + 1);
        // Whatever trails the document's closing brace is not part of it.
        m_stack.append({true, 1});
        m_codePage.setCodePage(1252);
    }

    void groupStart() override
    {
        m_ignorableNext = false;
        m_skipCount = 0;
        m_stack.append(m_stack.size() == 1 ? Group{} : m_stack.last());
    }
    void groupEnd() override
    {
        m_ignorableNext = false;
        m_skipCount = 0;
        if (m_stack.size() > 1)
            m_stack.removeLast();
    }
    void controlWord(QByteArrayView word, bool hasParameter, int parameter) override
    {
        if (consumeSkip())
            return;
        const bool ignorable = m_ignorableNext;
        m_ignorableNext = false;
        Group& group = m_stack.last();
        if (group.skip)
            return;
        const ControlWord* entry = FindControlWord(word);
        if (!entry) {
            group.skip = ignorable;
            return;
        }
        const int value = hasParameter ? parameter : entry->defaultValue;
        switch (entry->id) {
        case Word::FontTable:
        case Word::ColorTable:
        case Word::Pict:
        case Word::FldInst:
        case Word::Ud: // the Unicode twin of an "\upr" text, which is read in its 8-bit form
        case Word::Skip:
            group.skip = true;
            break;
        case Word::AnsiCpg:
            if (value > 0 && value < 100000)
                m_codePage.setCodePage(value);
            break;
        case Word::Mac:
            m_codePage.setCodePage(10000);
            break;
        case Word::Pc:
            m_codePage.setCodePage(437);
            break;
        case Word::Pca:
            m_codePage.setCodePage(850);
            break;
        case Word::Uc:
            group.unicodeSkip = std::clamp(value, 0, kMaxUnicodeSkip);
            break;
        case Word::U:
            append(char16_t(value < 0 ? value + 65536 : value));
            m_skipCount = group.unicodeSkip;
            break;
        case Word::Par:
        case Word::Line:
        case Word::Page:
        case Word::Sect:
        case Word::Row:
        case Word::NestRow:
            append(u'\n');
            break;
        case Word::Tab:
        case Word::Cell:
        case Word::NestCell:
            append(u'\t');
            break;
        case Word::EmDash:
            append(u'\u2014');
            break;
        case Word::EnDash:
            append(u'\u2013');
            break;
        case Word::EmSpace:
        case Word::EnSpace:
        case Word::QmSpace:
            append(u' ');
            break;
        case Word::Bullet:
            append(u'\u2022');
            break;
        case Word::LQuote:
            append(u'\u2018');
            break;
        case Word::RQuote:
            append(u'\u2019');
            break;
        case Word::LDblQuote:
            append(u'\u201C');
            break;
        case Word::RDblQuote:
            append(u'\u201D');
            break;
        default:
            // Formats are of no interest here; a field result, a shape's text and a list item's
            // number are read where they stand.
            break;
        }
    }
    void controlSymbol(char symbol) override
    {
        if (consumeSkip())
            return;
        if (symbol == '*') {
            m_ignorableNext = true;
            return;
        }
        m_ignorableNext = false;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            append(char16_t(symbol));
            break;
        case '~':
            append(u' ');
            break;
        case '_':
            append(u'-');
            break;
        case '\r':
        case '\n':
            append(u'\n');
            break;
        case '\t':
            append(u'\t');
            break;
        default:
            break;
        }
    }
    void hexByte(unsigned char byte) override
    {
        if (consumeSkip())
            return;
        m_ignorableNext = false;
        const char b = char(byte);
        bodyBytes(QByteArrayView(&b, 1));
    }
    void text(QByteArrayView bytes) override
    {
        m_ignorableNext = false;
        if (m_skipCount > 0) {
            const qsizetype n = std::min<qsizetype>(m_skipCount, bytes.size());
            m_skipCount -= int(n);
            bytes = bytes.sliced(n);
        }
        bodyBytes(bytes);
    }
    void binary(QByteArrayView) override
    {
        consumeSkip();
        m_ignorableNext = false;
    }

private:
    struct Group
    {
        bool skip = false;
        int unicodeSkip = 1;
    };

    bool consumeSkip()
    {
        if (m_skipCount <= 0)
            return false;
        --m_skipCount;
        return true;
    }
    void append(char16_t c)
    {
        if (!m_stack.last().skip)
            m_out += QChar(c);
    }
    void bodyBytes(QByteArrayView bytes)
    {
        if (bytes.isEmpty() || m_stack.last().skip)
            return;
        const qsizetype start = m_out.size();
        m_codePage.decode(bytes, m_out);
        // Control characters have no place in the text.
        QChar* data = m_out.data();
        qsizetype out = start;
        for (qsizetype i = start; i < m_out.size(); ++i) {
            if (data[i].unicode() >= 0x20 || data[i].unicode() == u'\t')
                data[out++] = data[i];
        }
        m_out.truncate(out);
    }

    QString& m_out;
    QList<Group> m_stack;
    RtfCodePage m_codePage;
    bool m_ignorableNext = false;
    int m_skipCount = 0;
};

} // namespace

QString RtfPlainText(QByteArrayView data)
{
    QString out;
    out.reserve(data.size() / 2);
    PlainTextListener listener(out);
    RtfTokenizer tokenizer;
    if (!tokenizer.tokenize(data, listener)) {
        RtfCodePage codePage;
        codePage.setCodePage(1252);
        codePage.decode(data, out);
    }
    out.squeeze();
    return out;
}

QString PagePlainText(const QStringList& lines)
{
    const QByteArray bytes = RtfLinesBytes(lines);
    if (LooksLikeRtf(bytes))
        return RtfPlainText(bytes);
    return lines.join(QLatin1Char('\n'));
}

} // namespace platform::rtf
