// Showing a card whose cover is a 6000 x 4000 camera photo: from the click on a navigation button
// to the photo painted in the box, on the offscreen platform; the median and the slowest of
// several runs, against decoding the same photo whole.
//   build/bench/bench_cover_photo [runs]
#include "BenchSupport.h"
#include "CameraPhoto.h"
#include "cards/CardWindow.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "shell/Application.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"
#include "widgets/PhotoBox.h"
#include "widgets/PictureButton.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr QSize kPhotoSize(6000, 4000);

} // namespace

int main(int argc, char** argv)
{
    prepareBenchmark();
    Application app(argc, argv);
    const int runs = runsArgument(argc, argv, 15);
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());

    // Two cards, each with a photo of its own, so every click shows another picture.
    const Kind& kind = Kind::libri();
    const QString archive = writePhotoArchive(2, kPhotoSize);
    const QString photo1 = CoverPhotos::filePath(kind, QStringLiteral("Bench"), QStringLiteral("1"));

    Windows::createAll();
    CardWindow* card = Windows::card(KindId::Libri);
    card->present();
    card->setArchive(archive, QStringLiteral("Bench"));
    QCoreApplication::processEvents();
    auto* box = card->findChild<PhotoBox*>(QStringLiteral("imgFoto"));
    auto* forward = card->findChild<PictureButton*>(QStringLiteral("cmdAvanti"));
    auto* back = card->findChild<PictureButton*>(QStringLiteral("cmdIndietro"));
    forward->click(); // card 1, and the file cache warm

    QList<double> shown;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        (i % 2 ? back : forward)->click();
        box->repaint();
        shown << timer.nsecsElapsed() / 1e6;
        if (box->picture().size() != kPhotoSize)
            qFatal("the photo was not shown");
    }

    QList<double> whole;
    for (int i = 0; i < std::min(runs, 5); ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage image(photo1);
        whole << timer.nsecsElapsed() / 1e6;
    }

    const Figures card_ = summary(shown);
    const Figures whole_ = summary(whole);
    std::printf("Card with a %d x %d JPEG cover (%.1f MB), navigation click to photo shown, %d runs\n",
                kPhotoSize.width(), kPhotoSize.height(), QFileInfo(photo1).size() / 1e6, runs);
    std::printf("shown in the box:        median %6.1f ms, slowest %6.1f ms (target 150 ms)\n", card_.median,
                card_.slowest);
    std::printf("decoding it whole:       median %6.1f ms, slowest %6.1f ms\n", whole_.median, whole_.slowest);
    Windows::destroyAll();
    return 0;
}
