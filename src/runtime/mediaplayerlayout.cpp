#include "runtime/mediaplayerlayout.h"

namespace runtime {

MediaPlayerLayout LayOutMediaPlayer(QSize videoSize)
{
    // Natural sizes come from the file; keep them to something a window can hold.
    constexpr int kMaxVideoSide = 8192;
    const QSize size = videoSize.isValid() && !videoSize.isEmpty()
                           ? videoSize.boundedTo(QSize(kMaxVideoSide, kMaxVideoSide))
                           : QSize(0, 0);
    MediaPlayerLayout layout;
    layout.video = QRect(kBevelTopLeft + QPoint(kVideoInset, kVideoInset), size);
    layout.bevel = QRect(kBevelTopLeft, size + QSize(2 * kVideoInset, 2 * kVideoInset));
    if (layout.bevel.height() == 2 * kVideoInset)
        layout.clientHeight = layout.bevel.top();
    else
        layout.clientHeight = layout.bevel.top() + layout.bevel.height() + 8;
    return layout;
}

} // namespace runtime
