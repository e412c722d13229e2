#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <array>
#include <memory>
#include <unordered_map>

namespace platform::rtf {

// The Windows code page a font's \fcharset stands for; 0 when the charset says "use the document's".
int CodePageForCharset(int charset);

// Decodes the 8-bit text of an RTF document in its Windows code pages. Single-byte pages are
// decoded through a 256-entry table built once per page; double-byte pages (932, 936, 949, 950)
// through a stateful decoder, so a lead byte and its trail byte may arrive in separate calls.
// Pages this system cannot decode fall back to Windows-1252.
class RtfCodePage
{
public:
    RtfCodePage();
    ~RtfCodePage();
    RtfCodePage(const RtfCodePage&) = delete;
    RtfCodePage& operator=(const RtfCodePage&) = delete;

    void setCodePage(int codePage);
    int codePage() const { return m_codePage; }
    // Appends the decoded bytes to out.
    void decode(QByteArrayView bytes, QString& out);
    // The same for the text of a page: control characters other than the tab are dropped.
    void decodeText(QByteArrayView bytes, QString& out);
    // Encodes one character for the writer: the Windows-1252 byte, or -1 when it has none.
    static int EncodeWindows1252(char16_t c);

private:
    using Table = std::array<char16_t, 256>;
    const Table* tableFor(int codePage);

    int m_codePage = 0;
    const Table* m_table = nullptr;
    std::unique_ptr<QStringDecoder> m_multiByte;
    std::unordered_map<int, Table> m_tables; // node-based: entries never move
};

} // namespace platform::rtf
