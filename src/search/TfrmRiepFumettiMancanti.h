#pragma once

#include "app/DialogWindow.h"

// The list of comic issues marked missing.
class TfrmRiepFumettiMancanti final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmRiepFumettiMancanti(QWidget* opener = nullptr);
};
