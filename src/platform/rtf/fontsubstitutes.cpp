#include "platform/rtf/fontsubstitutes.h"

#include <QFont>
#include <QStringList>

namespace platform::rtf {

namespace {

struct Substitute
{
    const char* face;
    const char* twins; // ';'-separated, the metric twin first, then the nearest look-alikes
};

// Metric twins (same advance widths) come first; DejaVu stands in where no twin exists.
constexpr Substitute kSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans;DejaVu Sans"},
    {"MS Shell Dlg", "Liberation Sans;DejaVu Sans"},
    {"MS Shell Dlg 2", "Liberation Sans;DejaVu Sans"},
    {"Microsoft Sans Serif", "Liberation Sans;DejaVu Sans"},
    {"Arial", "Liberation Sans;DejaVu Sans"},
    {"Helvetica", "Liberation Sans;DejaVu Sans"},
    {"Arial Narrow", "Liberation Sans Narrow;Liberation Sans"},
    {"MS Serif", "Liberation Serif;DejaVu Serif"},
    {"Times New Roman", "Liberation Serif;DejaVu Serif"},
    {"Times", "Liberation Serif;DejaVu Serif"},
    {"Courier New", "Liberation Mono;DejaVu Sans Mono"},
    {"Courier", "Liberation Mono;DejaVu Sans Mono"},
    {"Calibri", "Carlito;Liberation Sans"},
    {"Cambria", "Caladea;Liberation Serif"},
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"Georgia", "DejaVu Serif"},
    {"Consolas", "DejaVu Sans Mono;Liberation Mono"},
    {"Lucida Console", "DejaVu Sans Mono;Liberation Mono"},
};

} // namespace

void InstallFontSubstitutes()
{
    for (const Substitute& entry : kSubstitutes) {
        QFont::insertSubstitutions(QString::fromLatin1(entry.face),
                                   QString::fromLatin1(entry.twins).split(QLatin1Char(';')));
    }
}

} // namespace platform::rtf
