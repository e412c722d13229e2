#include "runtime/pagegeometry.h"

#include <algorithm>
#include <cmath>

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

QRect TextPageGeometry(QPoint designOrigin, const storage::TopicDisplayRecord& record, double scale)
{
    const QRect text = StoredTextRect(record);
    const QRect window(text.topLeft(), QSize(text.width() + 3, text.height()));
    if (scale == 1.0)
        return window.translated(designOrigin);
    // The origin centres the design area; the scaled area keeps that centre.
    const QPoint centre = designOrigin + QPoint(kDesignSize.width() / 2, kDesignSize.height() / 2);
    const QSize area = ScaledSize(kDesignSize, scale);
    return ScaledRect(window, scale).translated(centre - QPoint(area.width() / 2, area.height() / 2));
}

double FitScale(QSize screen)
{
    const double fit = std::min(double(screen.width()) / kDesignSize.width(),
                                double(screen.height()) / kDesignSize.height());
    return std::max(1.0, fit);
}

int Scaled(int length, double scale)
{
    return int(std::lround(length * scale));
}

QSize ScaledSize(QSize size, double scale)
{
    return QSize(Scaled(size.width(), scale), Scaled(size.height(), scale));
}

QRect ScaledRect(const QRect& rect, double scale)
{
    const int left = Scaled(rect.left(), scale);
    const int top = Scaled(rect.top(), scale);
    return QRect(left, top, Scaled(rect.left() + rect.width(), scale) - left,
                 Scaled(rect.top() + rect.height(), scale) - top);
}

QRect DesignedTextRect(const storage::TopicDisplayRecord& record, QSize screen)
{
    if (record.FullScreen)
        return QRect(QPoint(0, 0), screen);
    return StoredTextRect(record);
}

} // namespace runtime
