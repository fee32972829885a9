#pragma once

#include <QBrush>
#include <QColor>
#include <QWidget>

// A filled, stroked rounded rectangle: the panels, frames and bars behind the controls.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(const QString& objectName, QWidget* parent, QBrush fill, QColor stroke = Qt::transparent, qreal radius = 0,
          qreal strokeWidth = 1);

    void setFill(const QBrush& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush m_fill;
    QColor m_stroke;
    qreal m_radius;
    qreal m_strokeWidth;
};

// A brush that shades from `top` to `bottom` over a height, for window backgrounds.
QBrush verticalGradient(QColor top, QColor bottom, qreal height);
