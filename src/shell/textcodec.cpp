#include "shell/textcodec.h"

#include <optional>
#include <limits>

namespace shell {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; its five unused codes keep their value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HasNonAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

// The whole text in Windows-1252, or nothing when a character is missing from it.
std::optional<QByteArray> ToCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int b = Cp1252Byte(c.unicode());
        if (b < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(b));
    }
    return bytes;
}

} // namespace

QString DecodeText(QByteArrayView bytes)
{
    const bool nonAscii = HasNonAscii(bytes);
    if (nonAscii && bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    // Windows-1252 is Latin-1 but for 0x80-0x9F: stores are read through here, so the bulk goes
    // through the quick Latin-1 conversion and only those bytes are mended after.
    QString text = QString::fromLatin1(bytes);
    if (!nonAscii)
        return text;
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && u < 0xA0)
            c = QChar(kCp1252High[u - 0x80]);
    }
    return text;
}

QByteArray EncodeText(const QString& text, qsizetype maxBytes)
{
    if (std::optional<QByteArray> cp1252 = ToCp1252(text)) {
        cp1252->truncate(maxBytes);
        // Only a string that reads back as UTF-8 must leave the code page.
        if (!HasNonAscii(*cp1252) || !cp1252->isValidUtf8())
            return *cp1252;
    }
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes)
        return bytes;
    qsizetype cut = maxBytes;
    // Step back over continuation bytes so the last character stays whole.
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    bytes.truncate(cut);
    return bytes;
}

QByteArray EncodeText(const QString& text)
{
    return EncodeText(text, std::numeric_limits<qsizetype>::max());
}

QString CutToBytes(const QString& text, qsizetype maxBytes)
{
    return DecodeText(EncodeText(text, maxBytes));
}

} // namespace shell
