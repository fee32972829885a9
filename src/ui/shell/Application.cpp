#include "Application.h"

#include "ComesBack.h"
#include "Guarded.h"
#include "QtItalian.h"
#include "widgets/Accessibility.h"
#include "widgets/EnterOnButton.h"
#include "widgets/HelpKey.h"

#include <QCoreApplication>
#include <QIcon>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Cartavox"));
    // Once for every window: set on each window, the icon was loaded again for each of them.
    setWindowIcon(QIcon(QStringLiteral(":/images/cartavox.svg")));
    // The program ends only where it says so (the start window, the password window's Esci):
    // hiding every chain window during a hand-over must not end it.
    setQuitOnLastWindowClosed(false);
    installEventFilter(new EnterOnButton(this));
    installEventFilter(new HelpKey(this));
    ComesBack::keepModalWindowsUp(*this);
    Accessibility::install();
    QtItalian::install(*this);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Guarded::report(std::current_exception());
    }
    return false;
}

bool Application::hasDisplay(int argc, char** argv)
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

const char* Application::noDisplayText()
{
    return "Cartavox needs a display: run it under one, e.g. 'xvfb-run ./Cartavox', or "
           "'QT_QPA_PLATFORM=vnc ./Cartavox' and connect a VNC viewer to port 5900 (the VNC server "
           "accepts anyone who reaches the port, without a password: on an untrusted network reach it "
           "only through an SSH tunnel, 'ssh -L 5900:localhost:5900 host', and keep the port closed).";
}

void Application::requestSoftwareRendering()
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}
