#include "PreviewKeys.h"

#include <QCoreApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QPrintPreviewDialog>

namespace {
bool scrollsThePage(const QKeyEvent& key)
{
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

// Hands the scrolling keys that reach any other widget of the preview to the page's view.
class PageKeys : public QObject {
public:
    PageKeys(QGraphicsView* page, QObject* parent) : QObject(parent), m_page(page) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // A key the page leaves climbs back through its parents, which are watched too.
        if (m_handing || event->type() != QEvent::KeyPress || !scrollsThePage(*static_cast<QKeyEvent*>(event)))
            return false;
        m_handing = true;
        QCoreApplication::sendEvent(m_page, event);
        m_handing = false;
        return true;
    }

private:
    QGraphicsView* m_page;
    bool m_handing = false;
};
} // namespace

void scrollPageFromKeys(QPrintPreviewDialog& dialog)
{
    auto* page = dialog.findChild<QGraphicsView*>();
    if (!page)
        return;
    auto* keys = new PageKeys(page, &dialog);
    dialog.installEventFilter(keys);
    for (QWidget* widget : dialog.findChildren<QWidget*>())
        if (widget != page && !page->isAncestorOf(widget))
            widget->installEventFilter(keys);
}
