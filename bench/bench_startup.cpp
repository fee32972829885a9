// Start-up to the password window shown, against a program that shows an empty Qt window, each in
// a fresh process on the offscreen platform. What is compared is the processor time of each
// process (user + system, from the kernel's account of the ended child), not the elapsed time,
// which on a shared machine holds the waits for the other work; the two are started in turns, and
// the medians are printed.
//   make bench   (or: build/bench/bench_startup [runs])
#include "shell/Application.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QCoreApplication>
#include <QList>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// The program's own start-up, as main.cpp has it, then an end as soon as the loop has shown the
// first window.
int startProgram(int argc, char** argv)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    Windows::createAll();
    Windows::password()->present();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int result = app.exec();
    Windows::destroyAll();
    return result;
}

struct Cost {
    double cpu;    // user + system, ms
    double maxRss; // MB
};

Cost run(const QByteArray& program, const QByteArray& argument)
{
    char* args[] = {const_cast<char*>(program.constData()),
                    argument.isEmpty() ? nullptr : const_cast<char*>(argument.constData()), nullptr};
    // Qt's notes on the offscreen platform, once a run, would drown the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawn(&child, program.constData(), &quiet, nullptr, args, environ) != 0)
        qFatal("cannot start %s", program.constData());
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s %s failed", program.constData(), argument.constData());
    const auto ms = [](timeval t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss / 1024.0};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--program") == 0)
        return startProgram(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 21;
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray empty = QCoreApplication::applicationDirPath().toLocal8Bit() + "/empty_window";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    run(self, "--program"); // the file cache warmed for both
    run(empty, {});
    QList<double> emptyCpu, programCpu, emptyRss, programRss;
    for (int i = 0; i < runs; ++i) {
        const Cost e = run(empty, {});
        const Cost p = run(self, "--program");
        emptyCpu << e.cpu;
        emptyRss << e.maxRss;
        programCpu << p.cpu;
        programRss << p.maxRss;
    }
    const double e = median(emptyCpu);
    const double p = median(programCpu);
    std::printf("Start-up to the first window shown, offscreen, processor time (user + system), median of %d runs\n",
                runs);
    std::printf("empty Qt window:          %6.1f ms  (%5.1f MB resident at most)\n", e, median(emptyRss));
    std::printf("Cartavox password window: %6.1f ms  (%5.1f MB resident at most)\n", p, median(programRss));
    std::printf("ratio:                    %6.2fx (target 1.5x)\n", p / e);
    return 0;
}
