#pragma once

// What every benchmark of a window starts with, and how it sums its runs up.
#include "shell/Application.h"

#include <QList>
#include <QString>

#include <algorithm>

// The offscreen platform unless another is asked for, and software rendering as the program has
// it; before the application object exists.
inline void prepareBenchmark()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application::requestSoftwareRendering();
}

// The number of runs given as the first argument, or `fallback`.
inline int runsArgument(int argc, char** argv, int fallback)
{
    return argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : fallback;
}

struct Figures {
    double median;
    double slowest;
};

inline Figures summary(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.constLast()};
}
