#include "Application.h"

#include "MessageBox.h"
#include "widgets/EnterOnButton.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Cartavox"));
    // Once for every window: set on each window, the icon was loaded again for each of them.
    setWindowIcon(QIcon(QStringLiteral(":/images/cartavox.svg")));
    // The program ends only where it says so (the start window, the password window's Esci):
    // hiding every chain window during a hand-over must not end it.
    setQuitOnLastWindowClosed(false);
    installEventFilter(new EnterOnButton(this));

    // Qt's own dialogs (the file chooser, its overwrite question) speak Italian like the program.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
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
