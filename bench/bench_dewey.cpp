// The Dewey table window: from the loading timer's event to the 3,721 rows on screen, and one
// press of "Trova" over the loaded table (a key found nowhere tests every row). Each figure takes
// in the painting that the step causes: the list, over which the loading picture lay. Wall-clock
// time and the thread's processor time are both given, as the second does not grow when other
// programs share the processor.
//   make bench   (or: QT_QPA_PLATFORM=offscreen build/bench/bench_dewey [runs])
#include "search/ResultList.h"
#include "search/TfrmCodici_Dewey.h"
#include "shell/Application.h"
#include "widgets/Picture.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {
struct Sample {
    double wall;
    double cpu;
};

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Sample measure(const std::function<void()>& step)
{
    QElapsedTimer wall;
    const double cpu = threadCpuMilliseconds();
    wall.start();
    step();
    return {wall.nsecsElapsed() / 1e6, threadCpuMilliseconds() - cpu};
}

void report(const char* label, QList<Sample> samples, double targetMs)
{
    QList<double> wall;
    QList<double> cpu;
    for (const Sample& sample : samples) {
        wall << sample.wall;
        cpu << sample.cpu;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-34s wall median %6.2f ms (worst %6.2f), processor median %6.2f ms (target %.0f ms)\n", label,
                wall.at(wall.size() / 2), wall.constLast(), cpu.at(cpu.size() / 2), targetMs);
}

// Targets on this machine: the whole table loaded, and one press of Trova.
constexpr double kLoadTarget = 20;
constexpr double kPressTarget = 5;

// One load as the timer's event runs it, then the list painted with the rows in it.
Sample loadOnce(TfrmCodici_Dewey& table)
{
    const Sample sample = measure([&] {
        table.timCaricaTimer();
        table.lstRecords->repaint();
    });
    if (table.lstRecords->count() != 3721)
        qFatal("the table has %d rows", int(table.lstRecords->count()));
    return sample;
}

Sample pressOnce(TfrmCodici_Dewey& table, const QString& key)
{
    table.txtTrova->setText(key);
    return measure([&] {
        table.btnTrovaClick();
        table.lstRecords->repaint();
    });
}
} // namespace

int main(int argc, char** argv)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 21;

    TfrmCodici_Dewey table;
    table.show();
    table.timCarica->stop();
    QCoreApplication::processEvents();

    std::printf("Dewey table window, %s, %d runs\n", qPrintable(QGuiApplication::platformName()), runs);
    // The first load also reads the table from the program's resources and opens the list's font.
    report("load, first of the run", {loadOnce(table)}, kLoadTarget);
    QList<Sample> loads;
    for (int i = 0; i < runs; ++i) {
        table.lstRecords->clearCards();
        table.panDewey->show();
        table.repaint();
        loads << loadOnce(table);
    }
    report("load, timer event to rows painted", loads, kLoadTarget);

    const struct {
        const char* label;
        const char* key;
    } keys[] = {
        {"Trova, key found nowhere", "xyzzy"},
        {"Trova, 'musica', next match", "musica"},
        {"Trova, 'storia', next match", "storia"},
    };
    for (const auto& [label, key] : keys) {
        QList<Sample> presses;
        for (int i = 0; i < runs * 5; ++i)
            presses << pressOnce(table, QLatin1String(key));
        report(label, presses, kPressTarget);
    }
    return 0;
}
