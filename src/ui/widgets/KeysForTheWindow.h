#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

// Keys that a one-line field would keep for itself but does not need, left to its window's
// shortcuts: Ctrl+Home and Ctrl+End only repeat Home and End in a line of text, while on a card
// they go to the first and last card. Installed on each field.
class KeysForTheWindow final : public QObject {
    Q_OBJECT
public:
    KeysForTheWindow(const QList<QKeySequence>& keys, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> m_keys;
};
