#pragma once

#include "ChainWindow.h"

// Change of the access password.
class TfrmCambiaPassword final : public ChainWindow {
    Q_OBJECT
public:
    TfrmCambiaPassword();

protected:
    void FormClose() override;
};
