#include "FocusFrame.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

FocusFrame::FocusFrame(const QString& objectName, QWidget* field) : QWidget(field->parentWidget()), m_field(field)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    follow();
    stackUnder(field);
    hide();
    field->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field) {
        switch (event->type()) {
        case QEvent::FocusIn:
            setVisible(true);
            break;
        case QEvent::FocusOut:
            setVisible(false);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            follow();
            break;
        default:
            break;
        }
    }
    return false;
}

void FocusFrame::follow()
{
    setGeometry(m_field->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient stroke(0, 0, 0, height());
    stroke.setColorAt(0, QColor(0xFF, 0xFF, 0x00));
    stroke.setColorAt(1, Qt::white);
    painter.setPen(QPen(QBrush(stroke), 1));
    painter.setBrush(QColor(0xFF, 0xFF, 0x00));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}
