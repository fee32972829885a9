#pragma once

#include <QColor>

class QLineEdit;

// The look of the program's text fields while the user types.
namespace FieldHighlight {

inline const QColor kAliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor kYellow{0xFF, 0xFF, 0x00};
inline const QColor kSkyBlue{0x87, 0xCE, 0xEB};

// The overlay of card and create windows: the field's whole box is AliceBlue with a SkyBlue
// border, and Yellow while the field has the focus.
void attachOverlay(QLineEdit* field);

} // namespace FieldHighlight
