#pragma once

#include <QFont>
#include <QString>

// Fonts are asked for by family name and size in pixels, as the windows were designed;
// fontconfig maps Verdana, Tahoma, Arial and Courier New to the metric-compatible fonts
// installed with the program.
QFont programFont(const QString& family, int pixelSize, bool bold = false);
