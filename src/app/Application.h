#pragma once

#include <QApplication>

// The application object; its notify() is the general error handler: an exception that escapes
// an event handler is shown in a plain box with its own text, and the program goes on.
class Application final : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Asks the window system to draw without graphics hardware; call before the application exists.
    static void requestSoftwareRendering();
};
