#pragma once

class QString;
class QWidget;

// Tells a screen reader what an action put on screen while the focus stayed where it was, such as
// the card that a navigation picture showed. The focus is not moved.
namespace Announce {

// `text` is spoken by a screen reader as news of the window of `widget`, whatever has the focus.
void say(QWidget* widget, const QString& text);

} // namespace Announce
