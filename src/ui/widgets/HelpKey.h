#pragma once

#include <QObject>

// F1 opens the help of the window in front, as its help picture ("Guida") does: every window that
// has one answers the key, with no code of its own. Installed once on the application.
class HelpKey final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
