#pragma once

#include "brand/Palette.h"

#include <QColor>
#include <QSize>
#include <QString>

class QLabel;
class QRect;
class QPushButton;
class QWidget;
class Shape;

// The palette and the few ready-made pieces that the password, start, help, information and
// about windows share, so they look like the card and catalogue windows.
namespace Look {

using Palette::kCardBlue;
using Palette::kLightBlue;
using Palette::kNavy;
using Palette::kSteelBlue;

// A push button in the program's rounded blue style.
QPushButton* button(const QString& objectName, const QString& text, QSize size, QWidget* parent);
// The style sheet of those buttons, with corners of `radius` pixels.
QString buttonStyleSheet(int radius = 6);

// A label in the program's text colour.
QLabel* label(const QString& objectName, const QString& text, int pixelSize, QWidget* parent);

// The light background of a fixed window, from white to light blue, behind every other control.
Shape* backdrop(QWidget* window);

// The bar at the bottom of a fixed window that holds its buttons.
Shape* buttonBar(QWidget* window, int height);

// The status bar of a card or export window: the bar shpInfo and, in it, the line panInfo in
// white Tahoma, showing `text` at first.
struct StatusBar {
    Shape* bar;
    QLabel* line;
};
StatusBar statusBar(QWidget* parent, const QRect& geometry, const QString& text);

} // namespace Look
