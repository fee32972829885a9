#include "CoverPicture.h"

#include "JpegDamageWatch.h"
#include "SafeSave.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {
const QByteArray kJpeg = QByteArrayLiteral("jpeg");
constexpr int kJpegQuality = 90;

bool withinCeilings(QSize size)
{
    return qint64(size.width()) * size.height() <= CoverPicture::kMostPixels;
}

// The picture the reader decodes, or none when the decoder met missing or broken data on the way
// and only painted over it.
QImage readWhole(QImageReader& reader)
{
    const JpegDamageWatch watch;
    QImage image = reader.read();
    return watch.seenDamage() ? QImage() : image;
}

bool sideways(const QImageReader& reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

// JPEG has no transparency: what is transparent comes out white, as it looks on the card.
QImage withoutTransparency(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}
} // namespace

CoverPicture::CoverPicture(const QImage& image) : m_image(image), m_size(image.size()) {}

bool CoverPicture::sameAs(const CoverPicture& other) const
{
    return m_bytes == other.m_bytes && m_format == other.m_format && m_image == other.m_image;
}

CoverPicture CoverPicture::fromFile(const QString& path, FileScope scope)
{
    QFile file;
    if (!SafeOpen::forReading(file, path, scope))
        return {};
    return read(file, file.size());
}

CoverPicture CoverPicture::fromBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, bytes.size());
}

CoverPicture CoverPicture::read(QIODevice& device, qint64 length)
{
    if (length > kMostFileBytes)
        return {};
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    const QSize stored = reader.size();
    if (stored.isEmpty()) {
        // A format that tells its size only by decoding: keep the decoded picture instead.
        const QImage image = readWhole(reader);
        return image.isNull() || !withinCeilings(image.size()) ? CoverPicture() : CoverPicture(image);
    }
    if (!withinCeilings(stored))
        return {};
    CoverPicture picture;
    picture.m_format = reader.format();
    picture.m_size = sideways(reader) ? stored.transposed() : stored;
    // The length measured above, within the ceiling, and no more: a file that grows meanwhile is
    // read as it was. (Asking for the ceiling itself would take 64 MiB of memory at every photo.)
    if (!device.seek(0))
        return {};
    picture.m_bytes = device.read(length);
    if (picture.m_bytes.size() != length)
        return {};
    return picture;
}

QSize CoverPicture::fittedSize(QSize picture, QSize area)
{
    if (picture.width() <= area.width() && picture.height() <= area.height())
        return picture;
    // A very thin picture keeps at least one pixel across.
    return picture.scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage CoverPicture::fitted(QSize area) const
{
    if (isNull() || area.isEmpty())
        return {};
    const QSize target = fittedSize(m_size, area);
    if (!m_image.isNull())
        return target == m_size ? m_image : m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return decode(target);
}

QImage CoverPicture::full() const
{
    if (!m_image.isNull())
        return m_image;
    return isNull() ? QImage() : decode(m_size);
}

QImage CoverPicture::decode(QSize target) const
{
    QBuffer buffer;
    buffer.setData(m_bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, m_format);
    reader.setAutoTransform(true);
    // The decoder works in the file's own orientation; the mark is applied after scaling.
    if (target != m_size)
        reader.setScaledSize(sideways(reader) ? target.transposed() : target);
    return readWhole(reader);
}

bool CoverPicture::saveJpeg(const QString& path, FileScope scope) const
{
    if (isNull())
        return false;
    QByteArray jpeg = m_bytes;
    if (m_format != kJpeg) {
        const QImage image = full();
        if (image.isNull())
            return false;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, kJpeg);
        writer.setQuality(kJpegQuality);
        if (!writer.write(withoutTransparency(image)))
            return false;
    }
    // Encoded in memory first, so that an encoder failing half way never reaches the disk.
    SafeSave file(path, scope);
    return file.open() && file.device().write(jpeg) == jpeg.size() && file.commit();
}
