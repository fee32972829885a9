#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

class QLabel;
class QWidget;

// The status line of a card window: pointing at a toolbar picture explains it, pointing at the
// window's background clears it. Text fields and labels change nothing, so a hint stays while
// the pointer moves from a picture straight onto a field. A control's hint is also its description
// for a screen reader.
class StatusHints final : public QObject {
    Q_OBJECT
public:
    explicit StatusHints(QLabel* statusLine);

    void addHint(QWidget* control, const QString& hint);
    void addClearingArea(QWidget* area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_statusLine;
    QHash<QObject*, QString> m_hints;
    QSet<QObject*> m_clearingAreas;
};
