#include "Shape.h"

#include <QLinearGradient>
#include <QPainter>

Shape::Shape(const QString& objectName, QWidget* parent, QBrush fill, QColor stroke, qreal radius, qreal strokeWidth)
    : QWidget(parent), m_fill(std::move(fill)), m_stroke(stroke), m_radius(radius), m_strokeWidth(strokeWidth)
{
    setObjectName(objectName);
    setMouseTracking(true);
}

void Shape::setFill(const QBrush& fill)
{
    m_fill = fill;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = m_stroke.alpha() ? m_strokeWidth / 2 : 0;
    const QRectF area = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(m_stroke.alpha() ? QPen(m_stroke, m_strokeWidth) : QPen(Qt::NoPen));
    painter.setBrush(m_fill);
    painter.drawRoundedRect(area, m_radius, m_radius);
}

QBrush verticalGradient(QColor top, QColor bottom, qreal height)
{
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return QBrush(gradient);
}
