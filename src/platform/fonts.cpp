#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace platform {

namespace {

struct FaceTwin
{
    const char* face;
    const char* twin;
};

// The font database keeps substituted names in lower case, so the faces are listed here once, as
// lists spell them.
constexpr FaceTwin kFaceTwins[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

} // namespace

void InstallFaceSubstitutions()
{
    for (const FaceTwin& pair : kFaceTwins)
        QFont::insertSubstitution(QLatin1String(pair.face), QLatin1String(pair.twin));
}

QString PlainFamilyName(const QString& family)
{
    const QString name = family.trimmed();
    if (!name.endsWith(QLatin1Char(']')))
        return name;
    const qsizetype open = name.lastIndexOf(QLatin1String(" ["));
    return open > 0 ? name.left(open).trimmed() : name;
}

QStringList ScreenFontNames()
{
    QStringList installed;
    for (const QString& family : QFontDatabase::families())
        installed.append(PlainFamilyName(family));
    QStringList names = installed;
    for (const FaceTwin& pair : kFaceTwins) {
        if (installed.contains(QLatin1String(pair.twin), Qt::CaseInsensitive))
            names.append(QLatin1String(pair.face));
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
}

const QStringList& FontSizeNames()
{
    static const QStringList names{QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"),
                                   QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14"),
                                   QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
                                   QStringLiteral("24"), QStringLiteral("36"), QStringLiteral("48"),
                                   QStringLiteral("72")};
    return names;
}

} // namespace platform
