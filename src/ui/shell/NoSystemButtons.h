#pragma once

class QWidget;

// A window of fixed size without minimise, maximise or close button: the window manager is told so
// in full, and where it draws the buttons all the same (openbox draws them on every window), the
// window stays usable. A minimise brings it straight back, with the window it is modal over,
// rather than leaving an empty screen with nothing to restore the program from; a maximise is
// undone. A close is the window's own to answer, as from its own close command.
namespace NoSystemButtons {

// Applies to `window` for the rest of its life; the window's flags must already be set.
void apply(QWidget* window);

} // namespace NoSystemButtons
