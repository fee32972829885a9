#include "FocusMark.h"

#include "FieldHighlight.h"
#include "KeyboardUse.h"
#include "Look.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>

FocusMark::FocusMark(QAbstractButton* button) : QWidget(button->parentWidget()), m_button(button)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    button->installEventFilter(this);
    connect(&KeyboardUse::instance(), &KeyboardUse::changed, this, &FocusMark::follow);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Show:
        case QEvent::Hide:
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

void FocusMark::follow()
{
    const bool shown = m_button->hasFocus() && m_button->isVisible() && KeyboardUse::instance().active();
    if (shown) {
        setGeometry(m_button->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
        raise();
    }
    setVisible(shown);
}

void FocusMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // The yellow of a focused field between two dark blue edges: it shows on the light windows
    // and on the pictures alike, and is wide enough to be found at a glance.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Look::kNavy, 1.0));
    painter.drawRoundedRect(outer, 8, 8);
    painter.setPen(QPen(FieldHighlight::kYellow, 3.0));
    painter.drawRoundedRect(outer.adjusted(2.0, 2.0, -2.0, -2.0), 6, 6);
    painter.setPen(QPen(Look::kNavy, 1.0));
    painter.drawRoundedRect(outer.adjusted(4.0, 4.0, -4.0, -4.0), 4, 4);
}
