#pragma once

#include <QImage>
#include <QSize>

// A picture with something on it, so a JPEG of it has a realistic size.
inline QImage samplePicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x * 255 / size.width(), y * 255 / size.height(), (x ^ y) & 0xFF);
    }
    return image;
}
