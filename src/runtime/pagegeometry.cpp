#include "runtime/pagegeometry.h"

#include <algorithm>

namespace runtime {

QRect ClampedRect(qint32 left, qint32 top, qint32 width, qint32 height)
{
    return QRect(std::clamp<qint32>(left, -kMaxPageExtent, kMaxPageExtent),
                 std::clamp<qint32>(top, -kMaxPageExtent, kMaxPageExtent),
                 std::clamp<qint32>(width, 0, kMaxPageExtent), std::clamp<qint32>(height, 0, kMaxPageExtent));
}

QRect StoredTextRect(const storage::WindowDesign& window)
{
    return ClampedRect(window.TextLeft, window.TextTop, window.TextWidth, window.TextHeight);
}

QPoint DesignOrigin(QSize mainWindow)
{
    // C++ division truncates toward zero, as the origin's rule wants.
    return QPoint((mainWindow.width() - kDesignSize.width()) / 2, (mainWindow.height() - kDesignSize.height()) / 2);
}

QRect TextPageGeometry(QPoint designOrigin, const storage::TopicDisplayRecord& record)
{
    const QRect text = StoredTextRect(record);
    return QRect(designOrigin + text.topLeft(), QSize(text.width() + 3, text.height()));
}

QRect DesignedTextRect(const storage::TopicDisplayRecord& record, QSize screen)
{
    if (record.FullScreen)
        return QRect(QPoint(0, 0), screen);
    return StoredTextRect(record);
}

} // namespace runtime
