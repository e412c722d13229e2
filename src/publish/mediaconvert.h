#pragma once

#include <QString>

#include <functional>

// Media of a list turned into files every browser plays: BMP and ICO pictures become PNG (Qt),
// MIDI tunes become Ogg Vorbis rendered with the General MIDI soundfont, AVI videos become WebM
// (VP8, with Vorbis sound when the video has sound), both through GStreamer's gst-launch-1.0,
// started without a shell and given a bounded time. Every other file is copied as it is.
namespace publish {

enum class MediaConversion
{
    Copy,
    ToPng,
    ToOgg,
    ToWebm,
};

// Decided from the extension, letter case ignored.
MediaConversion ConversionFor(const QString& name);

// The extension the published file gets (".PNG", ".OGG", ".WEBM"), or the name's own.
QString PublishedExtension(const QString& name);

// Files and pictures larger than these are refused rather than read.
constexpr qint64 kMaxMediaFileBytes = 1024LL * 1024 * 1024;
constexpr qint64 kMaxPicturePixels = 40'000'000;
// One GStreamer conversion may take this long before it is stopped and reported.
constexpr int kConversionTimeoutMs = 10 * 60 * 1000;

// The message of a publication the user stopped.
QString CancelledMessage();

// True while the work is to go on; polled during long conversions.
using KeepGoing = std::function<bool()>;

// Writes the converted (or copied) `source` to `target`. Throws shell::Error naming the source
// when it cannot be read, decoded or converted, when GStreamer or its soundfont is missing, and
// when `keepGoing` turns false (then with the message of a cancelled publication). A failed
// conversion leaves no target file.
void ConvertMedia(const QString& source, const QString& target, const KeepGoing& keepGoing);

// True when the AVI file declares a sound stream ("strh" of type "auds" in its first headers).
bool AviHasSound(const QString& path);

} // namespace publish
