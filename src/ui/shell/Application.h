#pragma once

#include <QApplication>

// The application object. Its notify() shows an exception that escapes an event override (a key,
// a close, a show) in a plain box with its own text, as guarded() does for connected handlers,
// and the program goes on.
class Application final : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Whether a window system can be reached: a display named in the environment, or a platform
    // asked for (QT_QPA_PLATFORM, -platform). Without one Qt aborts; ask before the application exists.
    static bool hasDisplay(int argc, char** argv);
    // The one line that tells who started the program without a display how to get one.
    static const char* noDisplayText();

    // Asks the window system to draw without graphics hardware; call before the application exists.
    static void requestSoftwareRendering();
};
