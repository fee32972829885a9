#include "ListKeys.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

ListKeys::ListKeys(QAbstractItemView* list) : QObject(list), m_list(list)
{
    list->installEventFilter(this);
}

bool ListKeys::eventFilter(QObject*, QEvent* event)
{
    QItemSelectionModel* selection = m_list->selectionModel();
    if (!selection)
        return false;
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byTab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (byTab && !selection->hasSelection() && m_list->model()->rowCount() > 0) {
            const QModelIndex current = m_list->currentIndex();
            const QModelIndex line = m_list->model()->index(current.isValid() ? current.row() : 0, 0);
            selection->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_list->scrollTo(line);
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && selection->hasSelection()) {
            if (!key->isAutoRepeat())
                emit enterOnLine();
            return true;
        }
    }
    return false;
}
