#pragma once

#include "ChainWindow.h"

// The access password window, the program's main window.
class TfrmPassword final : public ChainWindow {
    Q_OBJECT
public:
    TfrmPassword();

protected:
    void FormClose() override;
};
