#include "platform/fonts.h"

#include "shell/faces.h"

#include <QFont>
#include <QFontDatabase>

namespace platform {

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
    for (const QString& face : shell::SubstitutedFaces()) {
        if (installed.contains(shell::FaceSubstitute(face), Qt::CaseInsensitive))
            names.append(face);
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
