#include "PhotoBox.h"

#include <QMouseEvent>
#include <QPainter>

PhotoBox::PhotoBox(const QString& objectName, QSize size, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    resize(size);
}

void PhotoBox::setImage(const QImage& image)
{
    m_image = image;
    update();
}

QRect PhotoBox::pictureArea() const
{
    if (m_image.isNull())
        return {};
    QSize shown = m_image.size();
    if (shown.width() > width() || shown.height() > height())
        shown.scale(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void PhotoBox::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureArea(), m_image);
}

void PhotoBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
