#pragma once

// JPEG files as a disk or a copy leaves them: cut short, or with a scan broken half way. Qt's
// decoder turns each into a picture whose missing part is grey, and says so only in a warning.
// And one whose header claims a size its data does not have, as a hostile file may.
#include "SamplePicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

inline QByteArray jpegOf(QSize size, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(samplePicture(size));
    return bytes;
}

// The first 60 % of the file, as an interrupted copy leaves it.
inline QByteArray cutShortJpeg(QSize size, bool progressive = false)
{
    const QByteArray whole = jpegOf(size, progressive);
    return whole.left(whole.size() * 6 / 10);
}

// An end marker in the middle of the scan: the rest of the picture is never decoded.
inline QByteArray brokenScanJpeg(QSize size)
{
    QByteArray bytes = jpegOf(size);
    bytes[bytes.size() / 2] = char(0xFF);
    bytes[bytes.size() / 2 + 1] = char(0xD9);
    return bytes;
}

// `jpeg` (baseline) with its frame header claiming `size`; its data stays that of its own picture.
inline QByteArray jpegClaiming(QByteArray jpeg, QSize size)
{
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    if (frame < 0)
        qFatal("no baseline frame header");
    jpeg[frame + 5] = char(size.height() >> 8);
    jpeg[frame + 6] = char(size.height() & 0xFF);
    jpeg[frame + 7] = char(size.width() >> 8);
    jpeg[frame + 8] = char(size.width() & 0xFF);
    return jpeg;
}
