#pragma once

#include <QFont>
#include <QString>

class QColor;
class QWidget;

// Fonts are asked for by family name and size in pixels, as the windows were designed;
// fontconfig maps Verdana, Tahoma, Arial and Courier New to the metric-compatible fonts
// installed with the program.
QFont programFont(const QString& family, int pixelSize, bool bold = false);

// The colour of a label's or check box's text, set through its palette: cheaper to create than
// a style sheet, which matters for the many captions made at start-up.
void setTextColour(QWidget* widget, const QColor& colour);
