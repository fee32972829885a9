#include "StatusHints.h"

#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

StatusHints::StatusHints(QLabel* statusLine) : QObject(statusLine), m_statusLine(statusLine) {}

void StatusHints::addHint(QWidget* control, const QString& hint)
{
    m_hints.insert(control, hint);
    // What explains a control to whoever points at it explains it to a screen reader too.
    control->setAccessibleDescription(hint);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void StatusHints::addClearingArea(QWidget* area)
{
    m_clearingAreas.insert(area);
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Enter)
        return false;

    if (const auto hint = m_hints.constFind(watched); hint != m_hints.constEnd()) {
        m_statusLine->setText(*hint);
        // The move must not travel on to the background behind the picture, which would clear it.
        return type == QEvent::MouseMove;
    }
    if (type == QEvent::MouseMove && m_clearingAreas.contains(watched)) {
        // A move that a field or label let through reaches its background too: only a move over
        // the area itself clears.
        auto* area = static_cast<QWidget*>(watched);
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        QWidget* under = area->childAt(position);
        if (!under || m_clearingAreas.contains(under))
            m_statusLine->clear();
    }
    return false;
}
