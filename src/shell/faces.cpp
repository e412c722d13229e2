#include "shell/faces.h"

#include <QFont>

#include <array>

namespace shell {

namespace {

struct Twin
{
    const char* face;
    const char* twin;
};

constexpr std::array<Twin, 4> kTwins{{
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
}};

} // namespace

QString FaceSubstitute(const QString& face)
{
    for (const Twin& twin : kTwins)
        if (face.compare(QLatin1String(twin.face), Qt::CaseInsensitive) == 0)
            return QLatin1String(twin.twin);
    return {};
}

QString GenericFamily(const QString& face)
{
    const QString known = FaceSubstitute(face);
    const QString name = (known.isEmpty() ? face : known).toLower();
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
        QFont::insertSubstitution(QLatin1String(twin.face), QLatin1String(twin.twin));
}

} // namespace shell
