#pragma once

#include "app/DialogWindow.h"

// The attached documents of a card.
class TfrmAllegaCartella final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* opener = nullptr);
};
