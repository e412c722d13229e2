#pragma once

#include <QString>

namespace platform {

// True when the system offers at least one audio output device.
bool HasWaveOutput();

enum class WaveResult
{
    NoDevice, // no audio output: nothing was played
    Ended,    // the sound played to its end
    Failed,   // the file could not be played
    TimedOut, // the backend never reported the end; the wait was cut off
};

struct WaveOptions
{
    // Tests play through the backend on machines without a sound device.
    bool requireDevice = true;
    // Added to the file's length before the wait is cut off.
    int marginMs = 3000;
    // How long the backend may take to open the file before the wait is cut off.
    int loadTimeoutMs = 10000;
};

// Plays a wave file to its end and only then returns. Pending window events are handled first so
// the window in front is painted; while the sound plays, windows repaint and timers run, but no
// keyboard or mouse input reaches any window. Without an output device it returns at once.
WaveResult PlayWaveToEnd(const QString& path, const WaveOptions& options = {});

// The wave player of the media shows: PlayWaveToEnd, result ignored.
void PlayWave(const QString& path);

} // namespace platform
