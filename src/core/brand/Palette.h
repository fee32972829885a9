#pragma once

#include <QColor>

// The program's colours, in one place for the windows and for the PDF manual alike. Windows take
// them through Look; the manual, which is drawn without any window, takes them from here.
namespace Palette {

inline const QColor kCardBlue{0x42, 0x7A, 0xA8};  // the top of the windows' backgrounds, title bars
inline const QColor kSteelBlue{0x46, 0x82, 0xB4}; // frames, separators, the zoom's background
inline const QColor kNavy{0x1F, 0x3A, 0x5F};      // text
inline const QColor kLightBlue{0xDC, 0xE9, 0xF5}; // button bars

} // namespace Palette
