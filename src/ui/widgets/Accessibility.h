#pragma once

class QWidget;

// What a screen reader is told about a widget beyond its name and description, through an
// accessibility factory: that a top-level widget is a window of its own (Qt calls a plain one a
// "filler"), or that a widget only repeats its neighbour's meaning and is left out of its view, so
// that each command is named once.
namespace Accessibility {

// Once, when the application starts, before any window exists.
void install();

void presentAsWindow(QWidget* window);

// `widget` repeats what a neighbour says to a screen reader: it is not shown to one at all.
void leaveOut(QWidget* widget);

} // namespace Accessibility
