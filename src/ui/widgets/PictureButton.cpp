#include "PictureButton.h"

#include "FocusMark.h"
#include "Picture.h"

#include <QPainter>
#include <QSvgRenderer>

PictureButton::PictureButton(const QString& objectName, const QString& picture, const QString& meaning, QSize size,
                             QWidget* parent)
    : QAbstractButton(parent), m_picture(picture)
{
    setObjectName(objectName);
    setAccessibleName(meaning);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    new FocusMark(this);
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
    if (!m_hovered || !isEnabled()) {
        Pictures::renderer(m_picture)->render(&painter, area);
        return;
    }
    // A light veil shows which picture the pointer is on. It lies on the picture's own shape
    // only: over the whole box its corners would show on the window's background.
    const qreal ratio = devicePixelRatioF();
    QImage layer((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    QPainter veiled(&layer);
    veiled.setRenderHint(QPainter::Antialiasing);
    Pictures::renderer(m_picture)->render(&veiled, QRectF(QPointF(0, 0), QSizeF(size())));
    veiled.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    veiled.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), QColor(255, 255, 255, 56));
    veiled.end();
    painter.drawImage(area.topLeft(), layer);
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
