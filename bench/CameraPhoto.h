#pragma once

// Something like a photograph: soft gradients and shapes under a little sensor noise, so the
// JPEG has the size and the decoding cost of a real one rather than of a flat picture.
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"

#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>

inline QImage cameraPhoto(QSize size, int seed)
{
    QImage photo(size, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(200 + seed * 20, 120, 200));
    sky.setColorAt(1, QColor::fromHsv(30, 90, 230));
    painter.fillRect(photo.rect(), sky);
    QRandomGenerator shapes(seed);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        painter.setBrush(QColor::fromHsv(int(shapes.bounded(360)), 140, 60 + int(shapes.bounded(180))));
        painter.drawEllipse(QPoint(int(shapes.bounded(size.width())), int(shapes.bounded(size.height()))),
                            40 + int(shapes.bounded(400)), 40 + int(shapes.bounded(300)));
    }
    painter.end();
    QRandomGenerator noise(seed + 100);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(noise.bounded(25)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                           std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return photo;
}

// A book archive "Bench" in the program folder of `cards` cards, each with a camera photo of its own
// of `size`, so every card shown decodes another picture. Its full path.
inline QString writePhotoArchive(int cards, QSize size)
{
    const Kind& kind = Kind::libri();
    const QString archive = ProgramFolder::file(QStringLiteral("Bench.lib"));
    CatalogueFile file(kind.layout);
    file.open(archive);
    CoverPhotos::ensureFolder(kind);
    for (int n = 1; n <= cards; ++n) {
        Record record(kind.layout);
        record.setText(u"Titolo", QStringLiteral("Scheda %1").arg(n));
        file.appendCard(record);
        QImageWriter writer(CoverPhotos::filePath(kind, QStringLiteral("Bench"), QString::number(n)), "jpeg");
        writer.setQuality(90);
        if (!writer.write(cameraPhoto(size, n)))
            qFatal("cannot write the photo");
    }
    file.close();
    return archive;
}
