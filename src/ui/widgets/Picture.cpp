#include "Picture.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

QSvgRenderer* Pictures::renderer(const QString& resource)
{
    // Owned by the application, so they end with it instead of outliving every owner; the weak
    // pointer forgets one that has gone.
    static QHash<QString, QPointer<QSvgRenderer>> renderers;
    QPointer<QSvgRenderer>& renderer = renderers[resource];
    if (!renderer)
        renderer = new QSvgRenderer(resource, QCoreApplication::instance());
    return renderer;
}

QImage Pictures::image(const QString& resource, QSize size)
{
    static QHash<QString, QImage> images;
    const QString key = resource + QStringLiteral("@%1x%2").arg(size.width()).arg(size.height());
    QImage& image = images[key];
    if (image.isNull()) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer(resource)->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return image;
}

Picture::Picture(const QString& objectName, const QString& resource, QSize size, QWidget* parent)
    : QLabel(parent), m_resource(resource)
{
    setObjectName(objectName);
    setFixedSize(size);
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Pictures::renderer(m_resource)->render(&painter, QRectF(rect()));
}
