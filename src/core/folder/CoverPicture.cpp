#include "CoverPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace {
const QByteArray kJpeg = QByteArrayLiteral("jpeg");
constexpr int kJpegQuality = 90;

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

CoverPicture CoverPicture::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    const QSize stored = reader.size();
    if (stored.isEmpty()) {
        // A format that tells its size only by decoding: keep the decoded picture instead.
        const QImage image = reader.read();
        return image.isNull() ? CoverPicture() : CoverPicture(image);
    }
    CoverPicture picture;
    picture.m_format = reader.format();
    picture.m_size = sideways(reader) ? stored.transposed() : stored;
    if (!file.seek(0))
        return {};
    picture.m_bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
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
    return reader.read();
}

bool CoverPicture::saveJpeg(const QString& path) const
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
    // The whole picture in one unbuffered write whose length is checked: a buffered save file, or
    // an encoder writing straight to it, lets a write cut short by a full disk pass unnoticed,
    // and the old photo would be replaced by a truncated one.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(jpeg) == jpeg.size() && file.commit();
}
