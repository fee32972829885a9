// The reference of bench_startup: a program that shows an empty Qt window and ends as soon as the
// event loop has shown it. It links Qt Widgets alone, so it pays for nothing of Cartavox.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL); // as the program starts
    QApplication app(argc, argv);
    QWidget empty;
    empty.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
