#pragma once

#include <Qt>

class QApplication;
class QWidget;

// A minimised window that the program cannot do without comes straight back. A window manager
// minimises the window beneath a modal one along with it, and nothing on screen is then left to
// restore the program from (the program has no task bar entry of its own for a dialog).
namespace ComesBack {

// Undoes `states` of `window` once the window system has finished with the change it reported,
// bringing back first the window beneath it, and gives it the focus again.
void undoLater(QWidget* window, Qt::WindowStates states);

// Every modal window of `application` (the program's dialogs, its message boxes, the file
// dialogs, the zoom) comes back when minimised, with the window it is modal over.
void keepModalWindowsUp(QApplication& application);

} // namespace ComesBack
