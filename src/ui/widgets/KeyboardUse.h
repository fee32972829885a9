#pragma once

#include <QObject>

class QWidget;

// Whether the user is working the program with the keys: from a key press until the next press
// of a mouse button. Focus marks show only meanwhile, so whoever points and clicks sees every
// window as before, and whoever moves with Tab sees where the focus is.
class KeyboardUse final : public QObject {
    Q_OBJECT
public:
    // The one watcher of the application; it watches every key and press from its first use.
    static KeyboardUse& instance();

    bool active() const { return m_active; }

    // Keeps the property "keyboardUse" of `widget` true while the keys are in use, so that its
    // style sheet can show the focus to whoever moves with the keys, and to nobody else.
    static void exposeTo(QWidget* widget);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool m_active = false;
};
