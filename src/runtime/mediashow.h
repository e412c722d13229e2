#pragma once

#include <QString>

class QWidget;

namespace runtime {

// What a media show needs to know of the program around it.
struct MediaContext
{
    // The Study List directory, where the named files are looked up (letter case ignored).
    QString studyListDirectory;
    // Caption of the media player window (AppState::StartPrompt).
    QString startPrompt = QStringLiteral("Press the Start button");
    QWidget* parent = nullptr;
    // The factor the reader draws its design at (AppState::designScale); the windows grow with it.
    double scale = 1.0;
};

// The media show of Topic types 2, 3, 6, 7 and 8, of the opening and closing commands and of the
// pickers' "&View" buttons. `caption` is the picture show's caption (the current Topic title).
// Returns when what it showed has ended or been closed; a missing file is reported with
// "The file NAME is missing" and nothing is shown.
void ShowMedia(const QString& caption, const QString& commandText, const MediaContext& context);

// Opens the media player window on a video or MIDI file and returns when it has been closed. A
// file the player cannot open is reported in an error box.
void PlayInMediaPlayer(const QString& path, const MediaContext& context);

} // namespace runtime
