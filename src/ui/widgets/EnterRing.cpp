#include "EnterRing.h"

#include <QKeyEvent>
#include <QWidget>

namespace {
QHash<QObject*, QWidget*> ringOf(const QList<QWidget*>& fields)
{
    QHash<QObject*, QWidget*> successors;
    for (qsizetype i = 0; i < fields.size(); ++i)
        successors.insert(fields.at(i), fields.at((i + 1) % fields.size()));
    return successors;
}
} // namespace

EnterRing::EnterRing(const QList<QWidget*>& fields) : EnterRing(fields.constFirst(), ringOf(fields)) {}

EnterRing::EnterRing(QWidget* owner, QHash<QObject*, QWidget*> successors)
    : QObject(owner), m_successors(std::move(successors))
{
    for (auto it = m_successors.cbegin(); it != m_successors.cend(); ++it)
        it.key()->installEventFilter(this);
}

void EnterRing::chain(const QList<QWidget*>& fields)
{
    QHash<QObject*, QWidget*> successors;
    for (qsizetype i = 0; i + 1 < fields.size(); ++i)
        successors.insert(fields.at(i), fields.at(i + 1));
    new EnterRing(fields.constFirst(), std::move(successors));
}

void EnterRing::link(QWidget* field, QWidget* target)
{
    new EnterRing(field, {{field, target}});
}

bool EnterRing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    QWidget* next = m_successors.value(watched);
    if (!next)
        return false;
    next->setFocus(Qt::TabFocusReason);
    return true;
}
