#include "storage/topicstore.h"

#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/textcodec.h"
#include "storage/storelinereader.h"
#include "storage/storewriter.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace storage {

namespace {

struct NamedColor
{
    const char* name;
    quint32 value;
};

// The colour identifiers a store may carry, in the order the earlier program knew them; the first
// of equal values wins when writing (no two are equal).
constexpr std::array<NamedColor, 42> kNamedColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
}};

// The file names of a page entry are short strings of 150 bytes in the display record.
constexpr qsizetype kFileNameBytes = 150;

// Page text and introduction lines are written unchanged, except that a line starting with "[" or
// "]" gets a leading blank: otherwise it would read back as a head or tail and split the entry.
// The page editor's writer never starts a line that way, so ordinary text is untouched.
void AppendTextLine(QByteArray& out, const QString& line)
{
    if (!line.isEmpty() && (line.front() == QLatin1Char('[') || line.front() == QLatin1Char(']')))
        out += ' ';
    out += shell::EncodeText(line);
    out += "\r\n";
}

void AppendLine(QByteArray& out, const QString& line)
{
    out += shell::EncodeText(line);
    out += "\r\n";
}

void AppendLine(QByteArray& out, const char* key, const QString& value)
{
    out += key;
    out += shell::EncodeText(value);
    out += "\r\n";
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QByteArray EntryHead(const QString& name, const QString& kind, int typeCode)
{
    QByteArray out;
    AppendLine(out, QString(QLatin1Char('[') + name + QLatin1Char(']')));
    AppendLine(out, "source=", kind);
    AppendLine(out, "type=", QString::number(typeCode));
    return out;
}

QByteArray CommandEntry(const QString& name, int typeCode, const QString& kind, const QString& command)
{
    QByteArray out = EntryHead(name, kind, typeCode);
    AppendLine(out, "command=", command);
    out += "]\r\n\r\n";
    return out;
}

QByteArray PageEntry(const QString& name, int typeCode, const QString& kind, const QStringList& pageText,
                     const TopicDisplayRecord& record)
{
    QByteArray out = EntryHead(name, kind, typeCode);
    // A text-only page has no designed screen: its background kind is stored as 0.
    AppendLine(out, "displaytype=", QString::number(typeCode == 1 ? 0 : record.BackgroundKind));
    AppendLine(out, "fullscreen=", BoolText(record.FullScreen));
    AppendLine(out, "Sbackcolor=", ColorToText(record.BackgroundColor));
    AppendLine(out, "SGraphic=", record.BackgroundGraphic);
    AppendLine(out, "SWallpaper=", record.BackgroundTile);
    AppendLine(out, "VPBack=", ColorToText(record.TextWindowColor));
    AppendLine(out, "VPLeft=", QString::number(record.TextLeft));
    AppendLine(out, "VPTop=", QString::number(record.TextTop));
    AppendLine(out, "VPWidth=", QString::number(record.TextWidth));
    AppendLine(out, "VPHeight=", QString::number(record.TextHeight));
    AppendLine(out, "RLTop=", QString::number(record.RLTop));
    AppendLine(out, "RLLeft=", QString::number(record.RLLeft));
    AppendLine(out, "print=", BoolText(record.Print));
    out += "text=\r\n";
    qsizetype bytes = 0;
    for (const QString& line : pageText)
        bytes += line.size() + 3;
    out.reserve(out.size() + bytes + 8);
    for (const QString& line : pageText)
        AppendTextLine(out, line);
    out += "]\r\n\r\n";
    return out;
}

QByteArray IntroEntry(const QStringList& lines)
{
    QByteArray out;
    AppendLine(out, QString(QLatin1Char('[') + kIntroName + QLatin1Char(']')));
    AppendLine(out, "source=", kIntroKind);
    out += "text=\r\n";
    for (const QString& line : lines)
        AppendTextLine(out, line);
    out += "]\r\n";
    return out;
}

bool IsIntroHead(QByteArrayView line)
{
    return line.startsWith("[^INTRO");
}

// Everything after the first "=" of an extracted line.
QString ValueOf(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.mid(equals + 1);
}

void ReadInteger(const QStringList& entry, qsizetype index, qint32& field)
{
    if (index >= entry.size())
        return;
    bool ok = false;
    const int value = ValueOf(entry[index]).trimmed().toInt(&ok);
    if (ok)
        field = value;
}

void ReadColor(const QStringList& entry, qsizetype index, quint32& field)
{
    if (index >= entry.size())
        return;
    quint32 value = 0;
    if (TextToColor(ValueOf(entry[index]), value))
        field = value;
}

void ReadBool(const QStringList& entry, qsizetype index, bool& field)
{
    if (index < entry.size())
        field = ValueOf(entry[index]).contains(QLatin1String("true"));
}

void ReadFileName(const QStringList& entry, qsizetype index, QString& field)
{
    if (index < entry.size())
        field = shell::CutToBytes(ValueOf(entry[index]), kFileNameBytes);
}

// The old layout separated the parts of a command value with a blank; the first blank becomes ",".
QString JoinFirstBlank(const QString& text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return text;
    return text.left(blank) + QLatin1Char(',') + text.mid(blank + 1);
}

// An edit that renames the Topic names both names.
QString EditedNote(const QString& kind, const QString& oldName, const QString& newName)
{
    if (newName == oldName)
        return ChangeNote(kind, oldName, QStringLiteral("edited"));
    return ChangeNote(kind, oldName, QStringLiteral("edited and renamed \"") + newName + QLatin1Char('"'));
}

} // namespace

QString ColorToText(quint32 color)
{
    for (const NamedColor& named : kNamedColors)
        if (named.value == color)
            return QLatin1String(named.name);
    return QLatin1Char('$') + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

bool TextToColor(const QString& text, quint32& color)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const NamedColor& named : kNamedColors) {
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            color = named.value;
            return true;
        }
    }
    bool ok = false;
    if (trimmed.front() == QLatin1Char('$')) {
        const QString digits = trimmed.mid(1);
        // Only hexadecimal digits: toULongLong would also take a sign or a "0x" prefix.
        for (const QChar c : digits)
            if (!c.isDigit() && !(c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F')))
                return false;
        const qulonglong value = digits.toULongLong(&ok, 16);
        if (!ok || value > 0xFFFFFFFFull)
            return false;
        color = quint32(value);
        return true;
    }
    // Decimal, signed as the earlier program wrote colours: -1 is 0xFFFFFFFF.
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < -0x80000000ll || value > 0xFFFFFFFFll)
        return false;
    color = quint32(value);
    return true;
}

void AppendCommandEntry(const QString& store, const QString& name, int typeCode, const QString& kind,
                        const QString& command)
{
    AppendToStore(store, CommandEntry(name, typeCode, kind, command),
                  ChangeNote(kind, name, QStringLiteral("added")));
}

void AppendPageEntry(const QString& store, const QString& name, int typeCode, const QString& kind,
                     const QStringList& pageText, const TopicDisplayRecord& record)
{
    AppendToStore(store, PageEntry(name, typeCode, kind, pageText, record),
                  ChangeNote(kind, name, QStringLiteral("added")));
}

void ReplaceCommandEntry(const QString& store, const QString& newName, const QString& oldName,
                         const QString& kind, const QString& command, int typeCode)
{
    RewriteEntry(store, oldName, kind, CommandEntry(newName, typeCode, kind, command),
                 EditedNote(kind, oldName, newName));
}

void ReplacePageEntry(const QString& store, const QString& newName, const QString& oldName,
                      const QString& kind, const QStringList& pageText, const TopicDisplayRecord& record,
                      int typeCode)
{
    RewriteEntry(store, oldName, kind, PageEntry(newName, typeCode, kind, pageText, record),
                 EditedNote(kind, oldName, newName));
}

void ParsePageEntry(const QStringList& entry, TopicDisplayRecord& record, QStringList& pageText)
{
    ReadInteger(entry, 3, record.BackgroundKind);
    ReadBool(entry, 4, record.FullScreen);
    ReadColor(entry, 5, record.BackgroundColor);
    ReadFileName(entry, 6, record.BackgroundGraphic);
    ReadFileName(entry, 7, record.BackgroundTile);
    ReadColor(entry, 8, record.TextWindowColor);
    ReadInteger(entry, 9, record.TextLeft);
    ReadInteger(entry, 10, record.TextTop);
    ReadInteger(entry, 11, record.TextWidth);
    ReadInteger(entry, 12, record.TextHeight);
    // RLTop and RLLeft (indexes 13 and 14) are carried, never read: they keep the record's value.
    ReadBool(entry, 15, record.Print);
    for (qsizetype i = 17; i < entry.size() && entry[i] != QLatin1String("]"); ++i)
        pageText.append(entry[i]);
}

void AppendIntroEntry(const QString& store, const QStringList& lines)
{
    QByteArray entry = IntroEntry(lines);
    entry += "\r\n";
    AppendToStore(store, entry, QStringLiteral("Introduction added"));
}

bool ReadIntroText(const QString& store, QStringList& lines)
{
    if (!QFileInfo::exists(store))
        return false;
    StoreLineReader reader(store);
    bool found = false;
    QByteArrayView line;
    while (reader.nextHead(line)) {
        if (!IsIntroHead(line))
            continue;
        found = true;
        // The kind line and "text=".
        if (!reader.next(line) || !reader.next(line))
            break;
        while (reader.next(line) && !line.startsWith(']'))
            lines.append(shell::DecodeText(line));
    }
    return found;
}

void ReplaceIntroEntry(const QString& store, const QStringList& lines)
{
    StoreLineReader reader(store);
    StoreWriter writer(store, QStringLiteral("Introduction edited"));
    const QByteArray entry = IntroEntry(lines);
    bool replaced = false;
    const auto passOver = [&writer](QByteArrayView bytes) { writer.raw(bytes); };
    QByteArrayView line;
    while (reader.nextHead(line, passOver)) {
        if (!IsIntroHead(line)) {
            writer.copy(line, reader.raw());
            continue;
        }
        while (reader.next(line) && !IsTailLine(line)) {
        }
        // The separator that followed the old tail is copied as it stands by the loop.
        writer.raw(entry);
        replaced = true;
    }
    if (replaced)
        writer.commit();
}

void ConvertOldStore(const QString& store)
{
    if (!QFileInfo::exists(store))
        return;
    StoreLineReader reader(store);
    StoreWriter writer(store, QStringLiteral("Converted from the earlier version"));
    // Lines are copied byte for byte; only the values of picture commands change their separator.
    QByteArrayView line;
    while (reader.next(line)) {
        writer.line(line);
        const QString text = shell::DecodeText(line);
        const int blanks = text == QLatin1String("type=2") ? 1 : text == QLatin1String("type=6") ? 2 : 0;
        if (blanks == 0)
            continue;
        if (!reader.next(line))
            break;
        QString value = shell::DecodeText(line);
        for (int i = 0; i < blanks; ++i)
            value = JoinFirstBlank(value);
        writer.line(shell::EncodeText(value));
    }
    writer.commit();
}

} // namespace storage
