// Sizes that keep every window of the program within reach: the main window's first
// geometry and the fitting of child windows into the window area.
#pragma once

#include <QRect>
#include <QSize>

class QMdiSubWindow;

namespace veldo {

// The main window on start: 90 % of the available screen area, centred on it.
QRect InitialMainWindowGeometry(const QRect& available);

// Gives a child window of the window area the size its content asks for (`content`,
// without the frame), at most the area's visible part, and moves it so that it lies
// inside that part.
void FitSubWindow(QMdiSubWindow& frame, QSize content);

} // namespace veldo
