#pragma once

#include "app/DialogWindow.h"

// The cover photo at full size.
class TfrmZoom final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* opener = nullptr);
};
