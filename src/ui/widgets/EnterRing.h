#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QWidget;

// Enter in a field of the ring moves the focus to the next field; the last leads back to the
// first. Other keys are left alone.
class EnterRing final : public QObject {
    Q_OBJECT
public:
    // The ring belongs to the first field.
    explicit EnterRing(const QList<QWidget*>& fields);

    // Enter in `field` moves the focus to `target` (a search field to its button), one way only.
    static void link(QWidget* field, QWidget* target);

    // The ring without its way back: Enter in the last field is left to the field itself.
    static void chain(const QList<QWidget*>& fields);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EnterRing(QWidget* owner, QHash<QObject*, QWidget*> successors);

    QHash<QObject*, QWidget*> m_successors;
};
