#pragma once

#include <QObject>

// Keys that a one-line field edits with, but that Qt would let a shortcut of its window have
// first: Ctrl+Delete deletes the next word and Ctrl+Backspace the one before, while on a card
// window Ctrl+Delete is also "Elimina scheda". Installed on a field, it keeps them for the field
// while the field has the focus, so a word deleted never deletes a card.
class KeysForTheField final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
