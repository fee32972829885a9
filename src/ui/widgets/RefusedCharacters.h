#pragma once

class QChar;
class QLineEdit;

// A field that swallows some characters as they are typed, from a key or from an input method (a
// dead key, a compose sequence), and takes the rest; pasted text is not filtered.
namespace RefusedCharacters {

void install(QLineEdit* field, bool (*refused)(QChar));

} // namespace RefusedCharacters
