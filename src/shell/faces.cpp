#include "shell/faces.h"

#include <QFont>
#include <QStringList>

#include <array>

namespace shell {

namespace {

struct Twin
{
    const char* face;
    const char* twins; // ';'-separated, the metric twin first, then the nearest look-alikes
};

// Metric twins (same advance widths) come first; DejaVu stands in where no twin exists.
constexpr std::array<Twin, 20> kTwins{{
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
}};

QStringList TwinsOf(const Twin& twin)
{
    return QString::fromLatin1(twin.twins).split(QLatin1Char(';'));
}

} // namespace

QString FaceSubstitute(const QString& face)
{
    for (const Twin& twin : kTwins)
        if (face.compare(QLatin1String(twin.face), Qt::CaseInsensitive) == 0)
            return TwinsOf(twin).front();
    return {};
}

QString GenericFamily(const QString& face)
{
    QString name = face.toLower();
    for (const Twin& twin : kTwins)
        if (face.compare(QLatin1String(twin.face), Qt::CaseInsensitive) == 0)
            name = QString::fromLatin1(twin.twins).toLower();
    if (name.contains(QLatin1String("mono")) || name.contains(QLatin1String("courier")))
        return QStringLiteral("monospace");
    if (name.contains(QLatin1String("sans")))
        return QStringLiteral("sans-serif");
    if (name.contains(QLatin1String("serif")) || name.contains(QLatin1String("times")) ||
        name.contains(QLatin1String("roman")) || name.contains(QLatin1String("georgia")))
        return QStringLiteral("serif");
    return QStringLiteral("sans-serif");
}

QStringList SubstitutedFaces()
{
    QStringList faces;
    for (const Twin& twin : kTwins)
        faces.append(QLatin1String(twin.face));
    return faces;
}

void InstallFaceSubstitutions()
{
    for (const Twin& twin : kTwins)
        QFont::insertSubstitutions(QLatin1String(twin.face), TwinsOf(twin));
}

} // namespace shell
