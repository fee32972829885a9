#include "PictureButton.h"

#include <QPainter>
#include "Picture.h"

#include <QSvgRenderer>

PictureButton::PictureButton(const QString& objectName, const QString& picture, QSize size, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture)
{
    setObjectName(objectName);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF area = rect();
    if (isDown())
        area.translate(1, 1);
    if (!isEnabled())
        painter.setOpacity(0.4);
    Pictures::renderer(m_picture)->render(&painter, area);
    if (m_hovered && isEnabled()) {
        // A light veil shows which picture the pointer is on.
        painter.setOpacity(0.18);
        painter.fillRect(area, Qt::white);
    }
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
