#pragma once

#include "DialogWindow.h"

// The about window.
class TfrmSplash final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* opener = nullptr);
};
