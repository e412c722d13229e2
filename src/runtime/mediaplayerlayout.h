#pragma once

#include <QRect>
#include <QSize>

namespace runtime {

// Where the media player window puts the video and its frame, and how tall its client area is.
// The video sits 4 pixels inside the bevel's top-left corner at its natural size; the bevel is 8
// pixels wider and higher than the video. Without a picture (MIDI, audio) the bevel is 8 x 8 and
// the client area ends at the bevel's top, leaving only the buttons and the gauge.
struct MediaPlayerLayout
{
    QRect bevel;
    QRect video;
    int clientHeight = 0;
};

inline constexpr int kMediaPlayerWidth = 338;
inline constexpr QPoint kBevelTopLeft{8, 48};
inline constexpr int kVideoInset = 4;

// `videoSize` is the medium's natural video size; an empty or invalid size means no picture.
MediaPlayerLayout LayOutMediaPlayer(QSize videoSize);

} // namespace runtime
