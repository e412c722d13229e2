#include "shell/utilities.h"

#include "platform/dialogs.h"
#include "shell/colorref.h"
#include "shell/error.h"
#include "shell/filenames.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <limits>

#include <sys/stat.h>

namespace shell {

void ShowError(const QString& message)
{
    platform::dialogs().showError(message);
}

void ShowInfo(const QString& message)
{
    platform::dialogs().showInfo(message);
}

bool AskYesNo(const QString& message)
{
    return platform::dialogs().askYesNo(message);
}

QString VideoAdvisoryText()
{
    const QString sep = QStringLiteral("\n\r");
    return QStringLiteral("Your video Display mode is set at 256 colors.") + sep + sep +
           QStringLiteral("The graphics in this program need High Color") + sep +
           QStringLiteral("or True Color. At the Start Menu select Settings") + sep +
           QStringLiteral("then Control Panel then Display - Settings to") + sep +
           QStringLiteral("change the video Display mode");
}

void ShowVideoAdvisory()
{
    ShowInfo(VideoAdvisoryText());
}

void RunProgram(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    const QString path = QFileInfo(ResolveName(QDir::currentPath(), fileName)).absoluteFilePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool IsInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    if (i >= text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

std::optional<qint32> ParseWholeNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    const QString rest = text.mid(i);
    qsizetype digits = 0;
    if (rest.startsWith(QLatin1Char('$')) || rest.startsWith(QLatin1Char('x'), Qt::CaseInsensitive)) {
        base = 16;
        digits = 1;
    } else if (rest.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits = 2;
    }
    const QString number = rest.mid(digits);
    if (number.isEmpty())
        return std::nullopt;
    for (const QChar c : number) {
        const bool decimal = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const QChar upper = c.toUpper();
        if (!decimal && !(base == 16 && upper >= QLatin1Char('A') && upper <= QLatin1Char('F')))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = number.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    const qlonglong signedValue = negative ? -value : value;
    if (signedValue < std::numeric_limits<qint32>::min() || signedValue > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(signedValue);
}

namespace {

// Copies until a read returns nothing or a write takes fewer bytes than given; returns false when
// the target took fewer bytes (full). Read errors throw.
bool CopyBlocks(QFile& in, QIODevice& out, qint64 blockSize)
{
    QByteArray buffer(blockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), blockSize);
        if (got < 0)
            ThrowFileError(QStringLiteral("Cannot read file"), in.fileName(), in.errorString());
        if (got == 0)
            return true;
        // A write that fails outright (no space at all) counts as a full target like a short one.
        if (out.write(buffer.constData(), got) < got)
            return false;
    }
}

} // namespace

bool IsSameFile(const QString& first, const QString& second)
{
    struct stat a{};
    struct stat b{};
    if (::stat(QFile::encodeName(first).constData(), &a) != 0 || ::stat(QFile::encodeName(second).constData(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int CopyFile(const QString& source, const QString& destination)
{
    // Opening the target truncates it, and with it the source when both are one file.
    if (source == destination || IsSameFile(source, destination))
        return CopySameName;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return CopyCannotOpenSource;
    QFile out(destination);
    // Unbuffered, so a full disk shows as a short write instead of a silently lost block.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return CopyCannotCreateTarget;
    const bool complete = CopyBlocks(in, out, 2048);
    if (!out.flush())
        return CopyTargetFull;
    out.close();
    // Programs keep their execute permission when copied.
    if (in.permissions() & QFileDevice::ExeOwner)
        out.setPermissions(out.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                           QFileDevice::ExeOther);
    return complete ? CopyOk : CopyTargetFull;
}

int CopyFileInto(const QString& source, const QString& target)
{
    QString path = QFileInfo(target).absoluteFilePath();
    if (QFileInfo(path).isDir())
        path = WithTrailingSeparator(path) + FileNameOf(source);
    if (IsSameFile(source, path))
        return CopySameName;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(source)));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw Error(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)));
    const bool complete = CopyBlocks(in, out, 8192);
    if (!complete || !out.flush())
        ThrowFileError(QStringLiteral("Cannot write file"), path, out.errorString());
    out.close();
    if (in.permissions() & QFileDevice::ExeOwner)
        out.setPermissions(out.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                           QFileDevice::ExeOther);
    return CopyOk;
}

int AppendFile(QIODevice& output, const QString& fileName)
{
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly))
        return CopyCannotOpenSource;
    return CopyBlocks(in, output, 2048) ? CopyOk : CopyTargetFull;
}

QString BaseName(const QString& path)
{
    const QString file = FileNameOf(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? file : file.left(dot);
}

bool IsValidFileName(const QString& text)
{
    static const QString refused = QStringLiteral("\"*+,/:;<=>?[]|");
    for (const QChar c : text) {
        if (refused.contains(c))
            return false;
    }
    return true;
}

bool HasAttributes(const QString& fileName, int attributes)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return false;
    int have = AttrArchive;
    if (info.isDir())
        have |= AttrDirectory;
    if (!info.isWritable())
        have |= AttrReadOnly;
    if (info.isHidden())
        have |= AttrHidden;
    return (have & attributes) == attributes;
}

std::optional<QString> FindInWorkingDirectory(const QString& workingDirectory, const QString& pattern)
{
    const QStringList entries =
        QDir(workingDirectory)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        if (MatchesMask(entry, pattern))
            return entry;
    }
    return std::nullopt;
}

bool FindEitherInWorkingDirectory(const QString& workingDirectory, const QString& pattern1,
                                  const QString& pattern2, QString& fileName)
{
    std::optional<QString> found = FindInWorkingDirectory(workingDirectory, pattern1);
    if (!found)
        found = FindInWorkingDirectory(workingDirectory, pattern2);
    if (!found)
        return false;
    if (fileName.isEmpty())
        fileName = *found;
    return true;
}

QString TakeWord(QString& text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {};
    const QString word = text.left(blank);
    text.remove(0, blank + 1);
    return word;
}

void TextToFont(const QString& fontText, FontSpec& font)
{
    QString rest = fontText;
    font.size = TakeWord(rest).toInt();
    font.color = static_cast<quint32>(TakeWord(rest).toLongLong());
    font.style = TakeWord(rest).toInt();
    font.name = rest;
}

FontSpec TextToFont(const QString& fontText)
{
    FontSpec font;
    TextToFont(fontText, font);
    return font;
}

QString FontToText(const FontSpec& font)
{
    return QString::number(font.size) + QLatin1Char(' ') + QString::number(font.color) + QLatin1Char(' ') +
           QString::number(font.style) + QLatin1Char(' ') + font.name;
}

QFont FontSpec::toFont() const
{
    QFont font(name);
    font.setPointSize(size > 0 ? size : 10);
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStrikeOut(style & StyleStrikeOut);
    return font;
}

QColor FontSpec::qcolor() const
{
    return ColorRefToQColor(color);
}

FontSpec FontSpec::fromFont(const QFont& font, const QColor& color)
{
    FontSpec text;
    text.name = font.family();
    text.size = font.pointSize() > 0 ? font.pointSize() : 10;
    text.color = QColorToColorRef(color);
    text.style = (font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                 (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0);
    return text;
}

} // namespace shell
