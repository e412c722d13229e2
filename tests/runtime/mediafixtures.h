#pragma once

#include <QByteArray>
#include <QSize>

// Small media files made by code, so the media tests need no fixture in the source tree.

// A mono 16-bit PCM wave of a sine tone.
QByteArray MakeWave(int milliseconds, int frequency = 440, int sampleRate = 22050);

// A standard MIDI file of type 0 with one track: `notes` quarter notes at 120 beats a minute.
QByteArray MakeMidi(int notes = 4);

// An uncompressed 24-bit RIFF AVI of `frames` frames at `framesPerSecond`, with an index.
QByteArray MakeAvi(QSize size, int frames, int framesPerSecond);
