#pragma once

#include <QColor>
#include <QFont>
#include <QIODevice>
#include <QString>
#include <optional>

// Small operations every part of the program uses: the three message boxes, starting a document,
// copying and appending files, file-name rules, look-ups in the working directory, and the one-line
// font text of the settings record.
namespace shell {

void ShowError(const QString& message);
void ShowInfo(const QString& message);
bool AskYesNo(const QString& message);

// The advisory shown on a display of fewer than 16 bits per pixel. Its lines are separated by
// LF CR, as stored texts of this program always were.
QString VideoAdvisoryText();
void ShowVideoAdvisory();

// Asks the desktop to open the file with its associated program; failures are ignored.
void RunProgram(const QString& fileName);

// True when the whole text reads as a signed decimal integer; leading blanks are allowed.
bool IsInteger(const QString& text);

// A whole number as number fields of the design dialogs take it: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$", "x" or "0x". Nothing for any other text
// (the empty text included) or a value outside 32 bits.
std::optional<qint32> ParseWholeNumber(const QString& text);

// Result codes of CopyFile and AppendFile.
enum CopyResult : int
{
    CopyOk = 0,
    CopySameName = 1,
    CopyCannotOpenSource = 2,
    CopyCannotCreateTarget = 3,
    CopyTargetFull = 4,
};

// True when both names lead to one file on disk (the same device and inode): another spelling of
// the path, a hard link, or a path through a symbolic link.
bool IsSameFile(const QString& first, const QString& second);

// Copies in blocks of 2048 bytes. A copy onto the source itself (equal names or IsSameFile) returns
// CopySameName and touches nothing. A read or write error inside the loop throws shell::Error.
int CopyFile(const QString& source, const QString& destination);

// Copies into a file or, when the target is an existing directory, into a file of the source's
// name in it; CopyOk, or CopySameName (nothing done) when the target is the source itself.
// Throws "Cannot open file %s" / "Cannot create file %s".
int CopyFileInto(const QString& source, const QString& target);

// Appends the whole file to `output` at its current position (the shared output file of the
// compile and executable steps). Returns CopyOk, CopyCannotOpenSource or CopyTargetFull.
int AppendFile(QIODevice& output, const QString& fileName);

// The file name without directory and extension.
QString BaseName(const QString& path);

// False when the text holds a double quote or one of * + , / : ; < = > ? [ ] |.
bool IsValidFileName(const QString& text);

enum FileAttribute : int
{
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
};
// True when every given attribute bit is set on the file.
bool HasAttributes(const QString& fileName, int attributes);

// The first entry of the working directory matching the pattern (any attribute, letter case
// ignored), by name without directory; nothing when none matches.
std::optional<QString> FindInWorkingDirectory(const QString& workingDirectory, const QString& pattern);

// Looks for pattern 1, then pattern 2. When something was found and `fileName` is empty it takes
// the found name; a non-empty name is left as it is. True when something was found.
bool FindEitherInWorkingDirectory(const QString& workingDirectory, const QString& pattern1,
                                  const QString& pattern2, QString& fileName);

// The part before the first blank; the text loses it and the blank. Without a blank the word is
// empty and the text stays.
QString TakeWord(QString& text);

// A font as the settings record stores it: "size colour style face", colour a COLORREF in
// decimal, style bits 1 bold, 2 italic, 4 underline, 8 strikeout.
struct FontSpec
{
    int size = 10;
    quint32 color = 0;
    int style = 0;
    QString name = QStringLiteral("MS Sans Serif");

    QFont toFont() const;
    QColor qcolor() const;
    static FontSpec fromFont(const QFont& font, const QColor& color);
    bool operator==(const FontSpec&) const = default;
};

enum FontStyleBit : int
{
    StyleBold = 1,
    StyleItalic = 2,
    StyleUnderline = 4,
    StyleStrikeOut = 8,
};

void TextToFont(const QString& fontText, FontSpec& font);
FontSpec TextToFont(const QString& fontText);
QString FontToText(const FontSpec& font);

} // namespace shell
