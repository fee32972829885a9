#include "PhotoBox.h"

#include <QMouseEvent>
#include <QPainter>

PhotoBox::PhotoBox(const QString& objectName, QSize size, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    resize(size);
}

bool PhotoBox::setPicture(const CoverPicture& picture)
{
    // On a high-density screen the box has more pixels than units; decode for those.
    const QImage shown = picture.fitted(size() * devicePixelRatioF());
    if (shown.isNull())
        return false;
    m_picture = picture;
    m_shown = shown;
    update();
    return true;
}

QRect PhotoBox::pictureArea() const
{
    if (m_picture.isNull())
        return {};
    const QSize shown = CoverPicture::fittedSize(m_picture.size(), size());
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void PhotoBox::paintEvent(QPaintEvent*)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureArea(), m_shown);
}

void PhotoBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
