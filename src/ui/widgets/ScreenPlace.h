#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where top-level windows go on the screen. Qt's move() places the frame's corner, while the
// program's sizes are those of the client area; these place the client area, and the frame that
// the window manager adds then extends around it.
namespace ScreenPlace {

// The room that a window manager's frame is assumed to take around a window that has never been
// on screen, when its real frame is not known yet: the title bar above, a border elsewhere.
inline constexpr int kAssumedTitleBar = 40;
inline constexpr int kAssumedBorder = 8;

// The usable area of the screen that `window` is on (without panels and docks).
QRect availableArea(const QWidget* window);

// Moves `window` so that the centre of its client area is at `centre`.
void centreClientArea(QWidget* window, QPoint centre);

// A client rectangle of at most `wanted` that, with its frame, lies inside `available`, centred.
QRect normalClientArea(QSize wanted, QRect available, const QWidget* window);

// Makes `window` maximised, from the moment it is shown. Its normal geometry, the one a user gets
// back by restoring it, is `normalSize` centred on the screen with the title bar on it. Where no
// window manager maximises it (a bare X server), it is given the usable area all the same.
void maximise(QWidget* window, QSize normalSize);

} // namespace ScreenPlace
