// A slide show of 12-megapixel camera photos on a 1366 x 768 screen: from the timer's tick to the
// next photo painted, on the offscreen platform; the median and the slowest of the steps that
// bring a photo, and the memory the process holds after the first steps and after all of them.
//   build/bench/bench_slide_show [steps]
#include "BenchSupport.h"
#include "CameraPhoto.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "shell/Application.h"
#include "start/KindWindows.h"
#include "storage/CatalogueFile.h"
#include "widgets/PhotoBox.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {
constexpr QSize kPhotoSize(4000, 3000);
constexpr int kCards = 3;

// The resident memory of this process, in MB.
double residentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}
// Processor time of this thread, in ms: what a step costs apart from other programs that share the machine.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    // An offscreen screen of a common laptop's size, unless a real display was asked for.
    QTemporaryDir folder;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString config = folder.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(R"({"screens": [{"name": "Bench", "x": 0, "y": 0, "width": 1366, "height": 768,
                              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
            qFatal("cannot write the screen configuration");
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    }
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    const int steps = argc > 1 ? std::max(kCards + 1, QString::fromLocal8Bit(argv[1]).toInt()) : 100;
    ProgramFolder::setOverride(folder.path());

    // A few cards, so every step decodes another picture.
    const Kind& kind = Kind::libri();
    const QString archive = writePhotoArchive(kCards, kPhotoSize);
    const QString photo1 = CoverPhotos::filePath(kind, QStringLiteral("Bench"), QStringLiteral("1"));

    TfrmSlideshow_Libri show;
    CardHandoff card(kind);
    card.archivePath = archive;
    card.archiveName = QStringLiteral("Bench");
    show.setCard(card);
    show.setGeometry(show.screen()->geometry());
    show.show();
    QCoreApplication::processEvents();
    show.Timer->stop(); // the steps are driven here, one after another

    QList<double> shown;
    QList<double> processor;
    QList<std::pair<int, double>> memory; // after so many ticks, MB
    for (int i = 1; i <= steps; ++i) {
        QElapsedTimer timer;
        const double cpuBefore = threadCpuMs();
        timer.start();
        QMetaObject::invokeMethod(show.Timer, "timeout");
        show.imgFoto->repaint();
        const double elapsed = timer.nsecsElapsed() / 1e6;
        const double cpu = threadCpuMs() - cpuBefore;
        // The tick after the last card changes nothing on screen; it is not a step to a photo.
        if (show.lblPosizione->text() != QLatin1String("0")) {
            if (show.imgFoto->picture().size() != kPhotoSize)
                qFatal("the photo was not shown");
            shown << elapsed;
            processor << cpu;
        }
        if (i == kCards + 1 || i % 25 == 0)
            memory.append({i, residentMB()});
    }

    const Figures figures = summary(shown);
    const Figures cpuFigures = summary(processor);
    std::printf("Slide show of %d x %d JPEG covers (%.1f MB each) on a %d x %d screen, %d ticks\n", kPhotoSize.width(),
                kPhotoSize.height(), QFileInfo(photo1).size() / 1e6, show.screen()->size().width(),
                show.screen()->size().height(), steps);
    std::printf(
        "tick to photo painted:   median %6.1f ms, slowest %6.1f ms (%d photos shown at %d x %d; target 150 ms)\n",
        figures.median, figures.slowest, int(shown.size()), show.imgFoto->image().width(),
        show.imgFoto->image().height());
    std::printf("processor time of those: median %6.1f ms, slowest %6.1f ms\n", cpuFigures.median, cpuFigures.slowest);
    std::printf("resident memory (target: flat):");
    for (const auto& [ticks, mb] : memory)
        std::printf(" %.1f MB after %d ticks;", mb, ticks);
    std::printf("\n");
    return 0;
}
