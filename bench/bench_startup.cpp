// Start-up to the password window shown, against an empty Qt window, each in a fresh process
// on the offscreen platform; the median of several runs.
//   make bench   (or: build/bench/bench_startup [runs])
#include "shell/Application.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
// One child: make the windows, show the first one, leave as soon as the loop has shown it.
int child(int argc, char** argv, bool program)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    QWidget empty;
    if (program) {
        Windows::createAll();
        Windows::password()->present();
    } else {
        empty.show();
    }
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int result = app.exec();
    if (program)
        Windows::destroyAll();
    return result;
}

double medianMilliseconds(const QString& self, const QString& mode, int runs)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(self, {mode});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("the %s child failed", qPrintable(mode));
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--program") == 0)
        return child(argc, argv, true);
    if (argc > 1 && std::strcmp(argv[1], "--empty") == 0)
        return child(argc, argv, false);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 11;
    const QString self = QCoreApplication::applicationFilePath();
    medianMilliseconds(self, QStringLiteral("--program"), 1); // warm the file cache
    const double empty = medianMilliseconds(self, QStringLiteral("--empty"), runs);
    const double program = medianMilliseconds(self, QStringLiteral("--program"), runs);
    std::printf("Start-up to the first window shown, offscreen, median of %d runs\n", runs);
    std::printf("empty Qt window:        %7.1f ms\n", empty);
    std::printf("Cartavox password window: %5.1f ms\n", program);
    std::printf("ratio:                  %7.2fx (target 2x)\n", program / empty);
    return 0;
}
