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

// The search takes the characters a page shows in their plain forms: spaces as blanks, a line
// break as a new line, and leaves out the marks that only steer how text is set. 0 for none.
char16_t PlainForm(char16_t c)
{
    switch (c) {
    case u'\u2028': return u'\n';
    case u'\u00A0':
    case u'\u2002':
    case u'\u2003':
    case u'\u2005': return u' ';
    case u'\u2011': return u'-';
    case u'\u00AD':
    case u'\u200C':
    case u'\u200D':
    case u'\u200E':
    case u'\u200F': return 0;
    default: return c;
    }
}

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
        if (const int codePage = DocumentCodePage(entry->id, value)) {
            m_codePage.setCodePage(codePage);
            return;
        }
        switch (entry->id) {
        case Word::FontTable:
        case Word::ColorTable:
        case Word::Pict:
        case Word::FldInst:
        case Word::Ud: // the Unicode twin of an "\upr" text, which is read in its 8-bit form
        case Word::Skip:
            group.skip = true;
            break;
        case Word::Uc:
            group.unicodeSkip = UnicodeSkipCount(value);
            break;
        case Word::U:
            append(UnicodeWordCharacter(value));
            m_skipCount = group.unicodeSkip;
            break;
        case Word::Par:
        case Word::Page:
        case Word::Sect:
        case Word::Row:
        case Word::NestRow:
            append(u'\n');
            break;
        case Word::Cell:
        case Word::NestCell:
            append(u'\t');
            break;
        default:
            // Formats are of no interest here; a field result, a shape's text and a list item's
            // number are read where they stand.
            if (entry->kind == WordKind::Symbol)
                append(PlainForm(SymbolWordCharacter(entry->id)));
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
        if (symbol == '\r' || symbol == '\n')
            append(u'\n');
        else
            append(PlainForm(ControlSymbolCharacter(symbol)));
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
        if (c != 0 && !m_stack.last().skip)
            m_out += QChar(c);
    }
    void bodyBytes(QByteArrayView bytes)
    {
        if (!bytes.isEmpty() && !m_stack.last().skip)
            m_codePage.decodeText(bytes, m_out);
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
