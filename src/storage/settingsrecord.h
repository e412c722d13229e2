#pragma once

#include "shell/colorref.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>

// The settings record of a Study List: everything about how the list presents itself. On disk it
// is the whole of NAME.SWJ and the head of NAME.SWC, 5105 bytes, little-endian, no padding:
//
//   offset  size  field
//        0     5  Version             short string of 4 ("2.21": 04 32 2E 32 31)
//        5     1  UseMenuScreen       byte flag (0 off, anything else on; written as 1)
//        6     1  AlphabeticalTopics
//        7   700  Program             ProgramSettings
//      707  3345  Presentation        PresentationBlock: introduction, commands, about box, captions
//              707 UseIntroduction, 708 IntroScreen (615), 1323 UseOpeningCommand,
//              1324 OpeningCommand (1010), 2334 UseClosingCommand, 2335 ClosingCommand (1010),
//              3345 UseAboutBox, 3346 AboutBox (578), 3924 ViewerCaptions (128)
//     4052  1053  MenuScreen          MenuScreenDesign (last byte, 5104, is its UseMenuBar)
//
// A short string of N is a length byte L (0..N) and N bytes of which the first L are the text
// (Windows-1252 when every character exists there, else UTF-8: see shell/textcodec.h). Colours are 32-bit colour
// references 0x00BBGGRR. The layout of each part is written beside its struct below and pinned
// by the record codec's tests.
namespace storage {

constexpr int kSettingsSize = 5105;
constexpr int kOldSettingsSize = 3161;
constexpr int kPresentationOffset = 707;
constexpr int kPresentationSize = 3345;
constexpr int kFileNameWidth = 150;
constexpr char kCurrentVersion[] = "2.21";

// 137 bytes: Used (flag), Text (80), Font (font text, 50), Color (i32).
struct TextBar
{
    bool Used = false;
    QString Text;
    QString Font;
    quint32 Color = shell::kSilver;
    bool operator==(const TextBar&) const = default;
};

// 340 bytes; also the topic display record of a page. Defaults are those of a page and of the
// introduction screen.
//   0 TextWindowColor, 4 FullScreen, 5 BackgroundKind (1 colour, 2 graphic, 3 wallpaper),
//   9 BackgroundColor, 13 BackgroundGraphic (150), 164 BackgroundTile (150), 315 TextLeft,
//   319 TextTop, 323 TextWidth, 327 TextHeight, 331 RLTop, 335 RLLeft, 339 Print
struct WindowDesign
{
    quint32 TextWindowColor = shell::kWhite;
    bool FullScreen = true;
    qint32 BackgroundKind = 1;
    quint32 BackgroundColor = shell::kSilver;
    QString BackgroundGraphic;
    QString BackgroundTile;
    qint32 TextLeft = 120;
    qint32 TextTop = 80;
    qint32 TextWidth = 400;
    qint32 TextHeight = 200;
    qint32 RLTop = 1; // carried, always 1
    qint32 RLLeft = 1;
    bool Print = false;
    bool operator==(const WindowDesign&) const = default;
};
using TopicDisplayRecord = WindowDesign;

// The introduction screen, 615 bytes: 0 TitleBar, 137 StatusBar, 274 Window, 614 UseMenuBar.
struct ScreenDesign
{
    TextBar TitleBar{false, {}, QStringLiteral("16 0 1 Times New Roman"), shell::kSilver};
    TextBar StatusBar{false, {}, QStringLiteral("8 0 0 Times New Roman"), shell::kSilver};
    WindowDesign Window;
    bool UseMenuBar = true;
    bool operator==(const ScreenDesign&) const = default;
};

// 437 bytes: Lines 1..6 (60 each, at 0, 61, ... 305), 366 Color, 370 Font (50), 421 Top, 423 Left,
// 425 Height, 427 Width (i16), 429 and 433 two carried i32, always 1.
struct AuthorBox
{
    std::array<QString, 6> Lines;
    quint32 Color = shell::kWhite;
    QString Font = QStringLiteral("10 0 1 MS Sans Serif");
    qint16 Top = 5;
    qint16 Left = 5;
    qint16 Height = 100;
    qint16 Width = 190;
    qint32 Carried1 = 1;
    qint32 Carried2 = 1;
    bool operator==(const AuthorBox&) const = default;
};

// The topic menu screen, 1053 bytes: the screen design layout (its byte 614 is UseAuthorBox),
// 615 AuthorBox, 1052 UseMenuBar.
struct MenuScreenDesign
{
    TextBar TitleBar{false, {}, QStringLiteral("16 0 1 Times New Roman"), shell::kSilver};
    TextBar StatusBar{false, {}, QStringLiteral("8 0 0 Times New Roman"), shell::kSilver};
    WindowDesign Window{shell::kWhite, true, 1, shell::kSilver, {}, {}, 200, 100, 255, 200, 1, 1, false};
    bool UseAuthorBox = false;
    AuthorBox Author;
    bool UseMenuBar = true;
    bool operator==(const MenuScreenDesign&) const = default;
};

// An opening or closing command, 1010 bytes: 0 CommandType (i16; 0 reads as 4), 2 GraphicFile,
// 153 PairGraphicFile, 304 VoiceFile, 455 PairSoundFile (150 each), 606 ProgramCommand (200),
// 807 Duration (i16, tenths of a second), 809 CommandLine (200; empty = not defined).
struct CommandSettings
{
    qint16 CommandType = 0;
    QString GraphicFile;
    QString PairGraphicFile;
    QString VoiceFile;
    QString PairSoundFile;
    QString ProgramCommand;
    qint16 Duration = 0;
    QString CommandLine;
    bool operator==(const CommandSettings&) const = default;
};

// 578 bytes: 0 ShowWhen (i16: 0 start, 1 end, 2 both, 3 neither), 2 Caption (40), 43 UseIcon,
// 44 IconFile (150), 195 ProgramName (32), 228 VersionText (42), 271 Author (42),
// 314 Comments 1..4 (65 each).
struct AboutBoxSettings
{
    qint16 ShowWhen = 0;
    QString Caption;
    bool UseIcon = false;
    QString IconFile;
    QString ProgramName;
    QString VersionText;
    QString Author;
    std::array<QString, 4> Comments;
    bool operator==(const AboutBoxSettings&) const = default;
};

// 128 bytes: six captions of 16 (About, Help, Quit, Close, Print, Find) and the start prompt (25).
struct ViewerCaptions
{
    QString AboutCaption = QStringLiteral("&About");
    QString HelpCaption = QStringLiteral("&Help");
    QString QuitCaption = QStringLiteral("&Quit");
    QString CloseCaption = QStringLiteral("&Close");
    QString PrintCaption = QStringLiteral("&Print");
    QString FindCaption = QStringLiteral("&Find");
    QString StartPrompt = QStringLiteral("Press the Start button");
    bool operator==(const ViewerCaptions&) const = default;
};

// 700 bytes: 0 Title (80), 81 UseIcon, 82 IconFile, 233 UseHelpFile, 234 HelpFile, 385
// HelpStartTopic (i32), 389 ShowVideoModeAdvisory, 390 BackgroundKind, 394 BackgroundColor,
// 398 BackgroundGraphic, 549 BackgroundTile.
struct ProgramSettings
{
    QString Title;
    bool UseIcon = false;
    QString IconFile;
    bool UseHelpFile = false;
    QString HelpFile;
    qint32 HelpStartTopic = 0;
    bool ShowVideoModeAdvisory = false;
    qint32 BackgroundKind = 1;
    quint32 BackgroundColor = shell::kSilver;
    QString BackgroundGraphic;
    QString BackgroundTile;
    bool operator==(const ProgramSettings&) const = default;
};

// Record bytes 707 to 4051, the slice the program presentation dialogs edit.
struct PresentationBlock
{
    bool UseIntroduction = false;
    ScreenDesign IntroScreen;
    bool UseOpeningCommand = false;
    CommandSettings OpeningCommand;
    bool UseClosingCommand = false;
    CommandSettings ClosingCommand;
    bool UseAboutBox = false;
    AboutBoxSettings AboutBox;
    ViewerCaptions Captions;
    bool operator==(const PresentationBlock&) const = default;
};

// A default-constructed record is a new Study List's (NewSettings).
struct SettingsRecord
{
    QString Version = QString::fromLatin1(kCurrentVersion);
    bool UseMenuScreen = true;
    bool AlphabeticalTopics = false;
    ProgramSettings Program;
    PresentationBlock Presentation;
    MenuScreenDesign MenuScreen;
    bool operator==(const SettingsRecord&) const = default;
};

// Exactly kSettingsSize bytes; bytes after a string's text are zero.
QByteArray EncodeSettings(const SettingsRecord& record);

// Reads the first kSettingsSize bytes; false when fewer are given.
bool DecodeSettings(QByteArrayView bytes, SettingsRecord& record);

// True when the marker of a stored record says it was written by the earlier version: the first
// text character of its Version is "1".
bool IsEarlierVersion(QByteArrayView headBytes);

// Builds a current record from the 3161-byte record of the earlier version (file names widen from
// 12 to 150 characters, window designs get RLTop/RLLeft 1, command lines get their first blank
// replaced by ","). False when fewer than 3161 bytes are given.
bool ConvertEarlierRecord(QByteArrayView bytes, SettingsRecord& record);

// The command line rule of the conversion: the first blank becomes ",", cut to 60 characters.
QString ConvertEarlierCommandLine(const QString& commandLine);

} // namespace storage
