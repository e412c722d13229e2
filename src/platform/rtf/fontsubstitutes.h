#pragma once

namespace platform::rtf {

// Makes Qt show the faces that pages and font texts name on other desktops (Calibri, Arial,
// MS Sans Serif, ...) with their metric twins on this one (Carlito, Liberation Sans, ...), so
// lines break where they did for the author. The authoring program and the reader both call it
// once at start.
void InstallFontSubstitutes();

} // namespace platform::rtf
