#pragma once

class QWidget;

// What a screen reader is told about a widget beyond its name and description, through an
// accessibility factory: that a top-level widget is a window of its own (Qt calls a plain one a
// "filler"), that a widget only repeats its neighbour's meaning and is left out of its view, so
// that each command is named once, or that a widget is a notification, which a reader speaks as it
// shows, wherever the focus is.
namespace Accessibility {

// Once, when the application starts, before any window exists.
void install();

void presentAsWindow(QWidget* window);

// `widget` repeats what a neighbour says to a screen reader: it is not shown to one at all.
void leaveOut(QWidget* widget);

// `widget` is a notification: its accessible name is what it says.
void presentAsNotification(QWidget* widget);

} // namespace Accessibility
