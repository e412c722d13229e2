#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace shell {

// Text on disk is UTF-8. Bytes that are not valid UTF-8 are read as Windows-1252, so files written
// by the earlier 8-bit program still open with their accented letters.
QString DecodeText(QByteArrayView bytes);

// UTF-8 bytes of the text, cut to at most maxBytes without splitting a character.
QByteArray EncodeText(const QString& text, qsizetype maxBytes);

// The text cut to what fits in maxBytes of UTF-8.
QString CutToBytes(const QString& text, qsizetype maxBytes);

} // namespace shell
