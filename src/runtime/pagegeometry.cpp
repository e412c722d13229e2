#include "runtime/pagegeometry.h"

#include <algorithm>

namespace runtime {

namespace {

int Position(qint32 value)
{
    return std::clamp<qint32>(value, -kMaxPageExtent, kMaxPageExtent);
}

int Extent(qint32 value)
{
    return std::clamp<qint32>(value, 0, kMaxPageExtent);
}

} // namespace

QPoint DesignOrigin(QSize mainWindow)
{
    // C++ division truncates toward zero, as the origin's rule wants.
    return QPoint((mainWindow.width() - kDesignSize.width()) / 2, (mainWindow.height() - kDesignSize.height()) / 2);
}

QRect TextPageGeometry(QPoint designOrigin, const storage::TopicDisplayRecord& record)
{
    return QRect(designOrigin.x() + Position(record.TextLeft), designOrigin.y() + Position(record.TextTop),
                 Extent(record.TextWidth) + 3, Extent(record.TextHeight));
}

QRect DesignedTextRect(const storage::TopicDisplayRecord& record, QSize screen)
{
    if (record.FullScreen)
        return QRect(QPoint(0, 0), screen);
    return QRect(Position(record.TextLeft), Position(record.TextTop), Extent(record.TextWidth),
                 Extent(record.TextHeight));
}

} // namespace runtime
