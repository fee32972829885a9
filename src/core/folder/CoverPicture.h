#pragma once

#include "SafeOpen.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The picture a card's photo box holds: what the box shows and what a save writes.
//
// A picture that came from a file keeps that file's bytes, not a decoded bitmap: a 6000 x 4000
// camera photo is decoded only at the few hundred pixels a box shows (the JPEG decoder can skip
// most of the work), and a save still writes the whole picture. A JPEG is written back
// byte for byte, so saving a card again and again never wears its photo down.
class CoverPicture final {
public:
    // The largest photo file read, and the most pixels a photo may have. A photo beyond either
    // counts as unreadable: a file with a picture's header and gigabytes after it, or a few bytes
    // that claim a picture of billions of pixels, must not take the memory of the machine. A
    // 100-megapixel camera photo fits both.
    static constexpr qint64 kMostFileBytes = 64 * 1024 * 1024;
    static constexpr qint64 kMostPixels = 100'000'000;

    CoverPicture() = default;
    // A picture made in memory, such as the placeholder.
    explicit CoverPicture(const QImage& image);

    // The picture in a file, of any format the imaging library reads; null when the file cannot
    // be read (see SafeOpen), holds no picture or is beyond the ceilings above. Only the header is
    // decoded here: a picture cut short or damaged shows as such when it is decoded, below.
    static CoverPicture fromFile(const QString& path, FileScope scope);
    // The same from a file's bytes already read, such as a picture kept inside another file.
    static CoverPicture fromBytes(const QByteArray& bytes);

    bool isNull() const { return m_size.isEmpty(); }

    // The same picture from the same source: the same file's bytes, or the same pixels made in
    // memory.
    bool sameAs(const CoverPicture& other) const;

    // Its own pixel size, upright (a camera's orientation mark applied).
    QSize size() const { return m_size; }

    // The picture reduced to fit `area` with its proportions kept, never enlarged; decoded at that
    // size where the format allows it. Null when the picture cannot be decoded, also when part of
    // it is missing or damaged (see JpegDamageWatch).
    QImage fitted(QSize area) const;

    // The picture at its own pixel size.
    QImage full() const;

    // The size a picture of `picture` pixels takes in `area`: its own when it fits, else reduced
    // with its proportions kept.
    static QSize fittedSize(QSize picture, QSize area);

    // Writes the picture at its own pixel size as a JPEG file, replacing any file of that name only
    // once the new one is complete, and never through a link (see SafeSave). False on any failure.
    bool saveJpeg(const QString& path, FileScope scope) const;

private:
    static CoverPicture read(QIODevice& device, qint64 length);
    QImage decode(QSize target) const;

    QByteArray m_bytes;  // the source file, when the picture came from one
    QByteArray m_format; // its format, as the imaging library names it ("jpeg", "bmp", ...)
    QImage m_image;      // the picture, when it was made in memory
    QSize m_size;
};
