#pragma once

#include <QColor>

namespace shell {

// Colours are stored as the desktop's 32-bit colour references: 0x00BBGGRR for a plain colour,
// 0x80000000 + n for system colour n (scroll bar, desktop, active caption, ...), which follow the
// current palette.
QColor ColorRefToQColor(quint32 colorRef);
quint32 QColorToColorRef(const QColor& color);

constexpr quint32 kSilver = 0xC0C0C0;
constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kBlack = 0x000000;

} // namespace shell
