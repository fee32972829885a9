#include "Application.h"

#include "MessageBox.h"

#include <QCoreApplication>

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Cartavox"));
    // The program ends only where it says so (the start window, the password window's Esci):
    // hiding every chain window during a hand-over must not end it.
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        MessageBox::plain(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBox::plain(activeWindow(), QStringLiteral("Errore imprevisto."));
    }
    return false;
}

void Application::requestSoftwareRendering()
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}
