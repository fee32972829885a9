// A cover photo of any bytes, taken the way the card window takes one: the header read for its
// size and orientation, the picture decoded at the size of the photo box and of a larger box,
// then saved as the card's JPEG. The decoders are Qt's; the sizes and the orientation handling
// around them are what this looks at, and the ceilings on file size and pixels.
//
// The first byte of an input says how long the file is: 1 stretches it to a byte past the
// file-size ceiling, the rest a hole as in a sparse file; any other value leaves it as it is. (A
// file just at the ceiling is read whole, 64 MiB at each run: the tests cover that one.)
#include "FuzzFolder.h"

#include "folder/CoverPicture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    // The image plugins load at the first picture and stay: load them here, so that the first
    // input does not look like a leak.
    QImage warmUp(4, 4, QImage::Format_RGB32);
    warmUp.fill(Qt::gray);
    for (const char* format : {"jpeg", "png", "bmp"}) {
        const QString path = Fuzz::folder().filePath(QStringLiteral("warm-up.") + format);
        if (warmUp.save(path, format))
            CoverPicture::fromFile(path, FileScope::ProgramData).fitted(QSize(2, 2));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString path = Fuzz::fileWith(QStringLiteral("copertina"), data + 1, size - 1);
    const bool pastFileCeiling = data[0] == 1;
    if (pastFileCeiling && qint64(size - 1) <= CoverPicture::kMostFileBytes &&
        !QFile(path).resize(CoverPicture::kMostFileBytes + 1))
        std::abort();
    const QSize claimed = QImageReader(path).size();
    const bool pastPixelCeiling = qint64(claimed.width()) * claimed.height() > CoverPicture::kMostPixels;
    const CoverPicture picture = CoverPicture::fromFile(path, FileScope::ProgramData);
    if (picture.isNull())
        return 0;
    // Beyond either ceiling a photo counts as unreadable.
    if (pastFileCeiling || pastPixelCeiling)
        std::abort();
    for (const QSize box : {QSize(307, 409), QSize(1024, 768)}) {
        const QImage shown = picture.fitted(box);
        // What is shown is never larger than the box: the box paints it at the fitted size.
        if (!shown.isNull() && (shown.width() > box.width() || shown.height() > box.height()))
            std::abort();
    }
    picture.saveJpeg(Fuzz::folder().filePath(QStringLiteral("salvata.jpg")), FileScope::ProgramData);
    return 0;
}
