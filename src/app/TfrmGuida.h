#pragma once

#include "DialogWindow.h"

// The help window.
class TfrmGuida final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* opener = nullptr);
};
