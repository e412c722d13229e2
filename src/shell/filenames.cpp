#include "shell/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace shell {

namespace {

QString FindEntry(const QString& directory, const QString& component)
{
    QDir dir(directory);
    if (QFileInfo::exists(dir.filePath(component)))
        return component;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString ResolveName(const QString& directory, const QString& name)
{
    if (name.isEmpty())
        return directory;
    // Lists written on the earlier desktop separate folders with backslashes.
    const QString normal = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString current;
    QString rest;
    if (QDir::isAbsolutePath(normal)) {
        current = QStringLiteral("/");
        rest = normal.mid(1);
    } else {
        current = directory.isEmpty() ? QDir::currentPath() : directory;
        rest = normal;
    }
    const QStringList components = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components[i];
        const QString found =
            (component == QLatin1String(".") || component == QLatin1String("..")) ? component
                                                                                : FindEntry(current, component);
        if (found.isEmpty()) {
            // Nothing matches: the rest is used as given, so a new file gets the name as typed.
            return QDir::cleanPath(current + QLatin1Char('/') + components.mid(i).join(QLatin1Char('/')));
        }
        current = QDir::cleanPath(current + QLatin1Char('/') + found);
    }
    return current;
}

bool NameExists(const QString& directory, const QString& name)
{
    if (name.isEmpty())
        return false;
    return QFileInfo::exists(ResolveName(directory, name));
}

bool MatchesMask(const QString& fileName, const QString& mask)
{
    const QStringList patterns = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& pattern : patterns) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
                                        pattern.trimmed(), QRegularExpression::UnanchoredWildcardConversion),
                                    QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = re.match(fileName);
        if (m.hasMatch() && m.capturedStart() == 0 && m.capturedLength() == fileName.size())
            return true;
    }
    return false;
}

QStringList ListMatchingFiles(const QString& directory, const QString& mask)
{
    QStringList result;
    const QStringList entries = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System,
                                                          QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        if (MatchesMask(entry, mask))
            result.append(entry);
    }
    return result;
}

QString FileNameOf(const QString& path)
{
    const QString normal = QDir::fromNativeSeparators(path);
    const qsizetype slash = normal.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? normal : normal.mid(slash + 1);
}

QString ExtensionOf(const QString& name)
{
    const QString file = FileNameOf(name);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.mid(dot);
}

QString ChangeExtension(const QString& name, const QString& extension)
{
    const QString file = FileNameOf(name);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return name + extension;
    return name.left(name.size() - (file.size() - dot)) + extension;
}

QString WithTrailingSeparator(const QString& directory)
{
    QString result = QDir::fromNativeSeparators(directory);
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

} // namespace shell
