#pragma once

#include <QString>

namespace runtime {

// A media show's command text taken apart: the picture, sound and video it names and the display
// time. Names are upper-case, as the text is upper-cased before it is split.
struct MediaCommand
{
    QString picture;
    QString pictureAsWritten; // the picture part in the letter case of the command text
    QString sound;
    QString video;
    // Milliseconds; 0 (or less) means the picture stays until the reader closes it.
    int displayTime = 0;
};

// Upper-cases the text, splits it at "," and classifies the first six parts by what they contain
// (".BMP", ".JPG", ".WMF" picture; ".WAV", ".MID" sound; ".AVI" video; otherwise a whole decimal
// integer n is a display time of n tenths of a second). A part may count for several classes, and
// a later part of a class replaces an earlier one. Parts after the sixth are ignored; blanks around
// a part are dropped.
MediaCommand ParseMediaCommand(const QString& commandText);

// The most parts a command text holds.
inline constexpr int kMaxMediaParts = 6;

enum class MediaActionKind
{
    Nothing,
    ReportMissing,  // show `message`, nothing else
    PlayVideo,      // open the media player window on `mediaPath`
    OpenMidiPlayer, // open the media player window on `mediaPath` (a sound without picture)
    ShowPicture,    // the picture show window: `picturePath`, optional `soundPath`, `displayTime`
    PlayWave,       // play `soundPath` with the wave player
};

// What a media show does, decided from the command text and the files of the Study List
// directory. Paths are resolved there without regard to letter case.
struct MediaAction
{
    MediaActionKind kind = MediaActionKind::Nothing;
    QString message;
    QString mediaPath;
    QString picturePath;
    QString pictureName; // the picture as the command text writes it, for messages
    QString soundPath;
    int displayTime = 0;
};

// "The file " + name + " is missing".
QString MissingFileMessage(const QString& name);

// "The graphic file " + name + " cannot be shown": a picture that is there but cannot be decoded
// (".WMF" files among them) is reported instead of showing an empty window.
QString UnshownGraphicMessage(const QString& name);

// True when the (upper-case) name's extension is ".WAV" or ".MID".
bool IsWaveName(const QString& name);
bool IsMidiName(const QString& name);

MediaAction DecideMediaShow(const QString& commandText, const QString& studyListDirectory);

} // namespace runtime
