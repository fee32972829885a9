// Printing a card whose cover is a 6000 x 4000 camera photo through the card window's preview
// window: from the press of "Mostra anteprima" to the preview window shown and painted, on the
// offscreen platform; the median and the slowest of several runs. Then the same card printed to a
// PDF file through the print window, and the pictures the file embeds (pdfimages, when installed).
//   build/bench/bench_card_print [runs] [folder]
// With a folder, the printed PDF stays there to be looked at.
#include "BenchSupport.h"
#include "CameraPhoto.h"
#include "cards/CardWindow.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "output/ReportPrinter.h"
#include "shell/Application.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
constexpr QSize kPhotoSize(6000, 4000);

double milliseconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Processor time of the process: on a machine busy with other work it says what the wall clock
// cannot.
double processorMilliseconds()
{
    return std::clock() * 1000.0 / CLOCKS_PER_SEC;
}

double& processorStart()
{
    static double value = 0;
    return value;
}

// Presses the window's button once the print or preview window is up; `then` runs inside the
// modal window that the button opens, if any.
void pressWhenOpen(QElapsedTimer& timer, const std::function<void()>& then)
{
    QTimer::singleShot(0, [&timer, then] {
        QWidget* window = QApplication::activeModalWidget();
        auto* button = window ? window->findChild<QPushButton*>(QStringLiteral("btnStampa")) : nullptr;
        if (!button)
            qFatal("no print window");
        if (then)
            QTimer::singleShot(0, then);
        processorStart() = processorMilliseconds();
        timer.start();
        button->click();
    });
}
} // namespace

int main(int argc, char** argv)
{
    prepareBenchmark();
    Application app(argc, argv);
    const int runs = runsArgument(argc, argv, 9);
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());

    const Kind& kind = Kind::libri();
    const QString archive = ProgramFolder::file(QStringLiteral("Bench.lib"));
    CatalogueFile file(kind.layout);
    file.open(archive);
    Record record(kind.layout);
    for (const QString& name : kind.textFields())
        record.setText(name, name + QStringLiteral(" della scheda di prova"));
    file.appendCard(record);
    file.close();
    CoverPhotos::ensureFolder(kind);
    const QString photo = CoverPhotos::filePath(kind, QStringLiteral("Bench"), QStringLiteral("1"));
    QImageWriter writer(photo, "jpeg");
    writer.setQuality(90);
    if (!writer.write(cameraPhoto(kPhotoSize, 1)))
        qFatal("cannot write the photo");

    Windows::createAll();
    CardWindow* card = Windows::card(KindId::Libri);
    card->present();
    card->setArchive(archive, QStringLiteral("Bench"));
    card->cmdPrimoClick();
    QCoreApplication::processEvents();

    QList<double> shown;
    QList<double> processor;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        double elapsed = -1;
        double used = 0;
        pressWhenOpen(timer, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            if (!preview || !preview->inherits("QPrintPreviewDialog"))
                qFatal("no preview window");
            preview->repaint();
            elapsed = milliseconds(timer);
            used = processorMilliseconds() - processorStart();
            preview->close();
        });
        card->cmdAnteprimaClick();
        if (elapsed < 0)
            qFatal("the preview was not shown");
        shown << elapsed;
        processor << used;
    }
    const Figures wall = summary(shown);
    const Figures work = summary(processor);

    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/scheda_foto.pdf")
                                 : ProgramFolder::file(QStringLiteral("scheda.pdf"));
    ReportPrinter::setPrintDialogResponder([&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return ReportPrinter::DialogAnswer::Accept;
    });
    QElapsedTimer printTimer;
    pressWhenOpen(printTimer, {});
    card->cmdStampaClick();
    const double printed = milliseconds(printTimer);

    std::printf("Card with a %d x %d JPEG cover (%.1f MB), %d runs\n", kPhotoSize.width(), kPhotoSize.height(),
                QFileInfo(photo).size() / 1e6, runs);
    std::printf("\"Mostra anteprima\" to preview shown: median %6.1f ms, slowest %6.1f ms (target 300 ms)\n",
                wall.median, wall.slowest);
    std::printf("  processor time of the same:       median %6.1f ms, slowest %6.1f ms\n", work.median, work.slowest);
    std::printf("\"Stampa\" to PDF written:            %6.1f ms, %.0f KB\n", printed, QFileInfo(pdf).size() / 1024.0);
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (images.waitForFinished() && images.exitCode() == 0)
        std::printf("%s", images.readAllStandardOutput().constData());
    Windows::destroyAll();
    return 0;
}
