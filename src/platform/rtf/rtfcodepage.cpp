#include "platform/rtf/rtfcodepage.h"

namespace platform::rtf {

namespace {

// Bytes 0x80-0x9F of Windows-1252; the rest of the page is Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsMultiByte(int codePage)
{
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 10001: // the Mac's Japanese, Traditional Chinese, Korean and Simplified Chinese pages
    case 10002:
    case 10003:
    case 10008:
    case 20932:
    case 20936:
    case 51932:
    case 51949:
    case 54936:
    case 65001:
        return true;
    default:
        return false;
    }
}

QByteArray CodecName(int codePage)
{
    switch (codePage) {
    case 437:
        return "IBM437";
    case 737:
        return "IBM737";
    case 775:
        return "IBM775";
    case 850:
        return "IBM850";
    case 852:
        return "IBM852";
    case 855:
        return "IBM855";
    case 857:
        return "IBM857";
    case 860:
        return "IBM860";
    case 861:
        return "IBM861";
    case 862:
        return "IBM862";
    case 863:
        return "IBM863";
    case 865:
        return "IBM865";
    case 866:
        return "IBM866";
    case 869:
        return "IBM869";
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1361:
        return "johab";
    case 10000:
        return "macintosh";
    // The Mac's double-byte pages differ from the Windows ones in a few symbols only.
    case 10001:
        return "Shift_JIS";
    case 10002:
        return "Big5";
    case 10003:
    case 51949:
        return "EUC-KR";
    case 10008:
    case 20936:
        return "GB2312";
    case 10006:
        return "x-mac-greek";
    case 10007:
    case 10017:
        return "x-mac-cyrillic";
    case 10029:
        return "x-mac-centraleurroman";
    case 10081:
        return "x-mac-turkish";
    case 20932:
    case 51932:
        return "EUC-JP";
    case 54936:
        return "GB18030";
    case 65001:
        return "UTF-8";
    default:
        break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + QByteArray::number(codePage);
    return {};
}

} // namespace

int CodePageForCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252; // ANSI
    case 2:
        return 1252; // Symbol: the bytes stand for the font's own glyphs
    case 77:
        return 10000; // Mac Roman
    case 78:
        return 10001; // Mac Shift-JIS
    case 79:
        return 10003; // Mac Hangul
    case 80:
        return 10008; // Mac GB2312
    case 81:
        return 10002; // Mac Big5
    case 85:
        return 10006; // Mac Greek
    case 86:
        return 10081; // Mac Turkish
    case 88:
        return 10029; // Mac Central European
    case 89:
        return 10007; // Mac Cyrillic
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0; // 1 (default) and unknown charsets: the document's page
    }
}

RtfCodePage::RtfCodePage()
{
    setCodePage(1252);
}

RtfCodePage::~RtfCodePage() = default;

int RtfCodePage::EncodeWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == c && c >= 0x100)
            return 0x80 + i;
    }
    return -1;
}

const RtfCodePage::Table* RtfCodePage::tableFor(int codePage)
{
    auto it = m_tables.find(codePage);
    if (it != m_tables.end())
        return &it->second;
    Table table;
    for (int b = 0; b < 256; ++b)
        table[std::size_t(b)] = b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b);
    const QByteArray name = CodecName(codePage);
    if (codePage != 1252 && !name.isEmpty()) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) {
            for (int b = 0x80; b < 256; ++b) {
                const char byte = char(b);
                const QString one = decoder.decode(QByteArrayView(&byte, 1));
                decoder.resetState();
                table[std::size_t(b)] = one.size() == 1 ? one.at(0).unicode() : char16_t(0xFFFD);
            }
        }
    }
    return &m_tables.emplace(codePage, table).first->second;
}

void RtfCodePage::setCodePage(int codePage)
{
    if (codePage == m_codePage)
        return;
    m_codePage = codePage;
    m_multiByte.reset();
    m_table = nullptr;
    if (IsMultiByte(codePage)) {
        auto decoder = std::make_unique<QStringDecoder>(CodecName(codePage).constData());
        if (decoder->isValid()) {
            m_multiByte = std::move(decoder);
            return;
        }
    }
    m_table = tableFor(codePage);
}

void RtfCodePage::decode(QByteArrayView bytes, QString& out)
{
    if (m_multiByte) {
        out += m_multiByte->decode(bytes);
        return;
    }
    const qsizetype oldSize = out.size();
    out.resize(oldSize + bytes.size());
    QChar* target = out.data() + oldSize;
    const Table& table = *m_table;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        target[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
}

void RtfCodePage::decodeText(QByteArrayView bytes, QString& out)
{
    const qsizetype start = out.size();
    decode(bytes, out);
    QChar* data = out.data();
    qsizetype kept = start;
    for (qsizetype i = start; i < out.size(); ++i) {
        if (data[i].unicode() >= 0x20 || data[i].unicode() == u'\t')
            data[kept++] = data[i];
    }
    out.truncate(kept);
}

} // namespace platform::rtf
