#pragma once

#include "ChainWindow.h"

// The start window: the choice of books, comics or DVDs.
class TfrmAvvio final : public ChainWindow {
    Q_OBJECT
public:
    TfrmAvvio();

protected:
    void FormClose() override;
};
