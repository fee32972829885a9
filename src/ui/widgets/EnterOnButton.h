#pragma once

#include <QObject>

// Enter and the keypad's Enter press the push button or picture button that has the focus, as
// Space does: a user who moves to a button with Tab expects either key to press it. Installed
// once on the application, it serves every window.
class EnterOnButton final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
