#include "WindowFit.h"

#include <QAbstractScrollArea>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace veldo {

QRect InitialMainWindowGeometry(const QRect& available)
{
    constexpr int kPercent = 90;
    const QSize size(available.width() * kPercent / 100, available.height() * kPercent / 100);
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(available.center());
    return geometry;
}

void FitSubWindow(QMdiSubWindow& frame, QSize content)
{
    QMdiArea* area = frame.mdiArea();
    if (!area || !frame.widget())
        return;
    const QSize visible = area->viewport()->size();
    // The frame's title bar and borders around the content.
    const QSize chrome = frame.size() - frame.widget()->size();
    const QSize wanted = (content + chrome).expandedTo(frame.minimumSizeHint()).boundedTo(visible);
    frame.resize(wanted);
    const int x = std::clamp(frame.x(), 0, std::max(0, visible.width() - frame.width()));
    const int y = std::clamp(frame.y(), 0, std::max(0, visible.height() - frame.height()));
    frame.move(x, y);
}

} // namespace veldo
