#include "FieldHighlight.h"

#include <QLineEdit>

void FieldHighlight::attachOverlay(QLineEdit* field)
{
    // A style sheet paints the box edge to edge and follows the focus by itself, so at most one
    // field of a window is yellow at any time.
    field->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; padding: 0 3px;"
                                        " color: black; selection-background-color: #4169E1; }"
                                        "QLineEdit:focus { background-color: %3; }")
                             .arg(kAliceBlue.name(), kSkyBlue.name(), kYellow.name()));
}
