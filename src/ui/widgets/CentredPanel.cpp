#include "CentredPanel.h"

#include "Shape.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

CentredPanel::CentredPanel(QWidget* window, QWidget* panel, const QColor& top)
    : QObject(window), m_window(window), m_panel(panel), m_top(top)
{
    window->installEventFilter(this);
    panel->installEventFilter(this);
    centre();
}

bool CentredPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        centre();
    else if (watched == m_window && event->type() == QEvent::Paint) {
        // The background goes under whatever the window itself paints.
        QPainter painter(m_window);
        painter.fillRect(m_window->rect(), verticalGradient(m_top, Qt::white, m_window->height()));
    }
    return QObject::eventFilter(watched, event);
}

void CentredPanel::centre()
{
    m_panel->move(std::max(0, (m_window->width() - m_panel->width()) / 2),
                  std::max(0, (m_window->height() - m_panel->height()) / 2));
}
