#pragma once

#include <QString>
#include <QStringList>

// The installed screen fonts as the program offers them, and the faces of lists written on the
// earlier desktop.
namespace platform {

// The family without the foundry that the font database adds when two foundries ship a family of
// the same name ("Nimbus Sans [URW ]" is "Nimbus Sans"). Stored pages and font texts keep plain
// names: a bracketed name is not matched again when the text is drawn.
QString PlainFamilyName(const QString& family);

// Every installed family once, by its plain name, with the substituted faces whose twin is
// installed; sorted without regard to case.
QStringList ScreenFontNames();

// The sizes the font lists offer: "8" to "72".
const QStringList& FontSizeNames();

} // namespace platform
