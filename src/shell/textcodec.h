#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace shell {

// Text on disk follows the rule of the lists written by the earlier 8-bit program: a string whose
// characters all exist in Windows-1252 is stored in Windows-1252, byte for byte as those lists hold
// it, so a field of N bytes keeps N characters. Only text with other characters (Greek, Chinese,
// emoji) is stored as UTF-8.

// Valid UTF-8 holding a non-ASCII character reads as UTF-8; anything else as Windows-1252. The five
// bytes Windows-1252 leaves undefined read as the control characters of the same code, so every
// byte string decodes and encodes back unchanged.
QString DecodeText(QByteArrayView bytes);

// The bytes of the text by the rule above, cut to at most maxBytes without splitting a character.
// Windows-1252 bytes that would read back as UTF-8 (the text "Ã©", say) are written as UTF-8
// instead, so DecodeText always returns what was encoded.
QByteArray EncodeText(const QString& text, qsizetype maxBytes);
QByteArray EncodeText(const QString& text);

// The text as it reads back after EncodeText(text, maxBytes).
QString CutToBytes(const QString& text, qsizetype maxBytes);

} // namespace shell
