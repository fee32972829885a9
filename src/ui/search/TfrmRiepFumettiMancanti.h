#pragma once

#include "CardListWindow.h"

// The comic issues marked missing in the open collection, listed when the window is shown.
class TfrmRiepFumettiMancanti final : public CardListWindow {
    Q_OBJECT
public:
    explicit TfrmRiepFumettiMancanti(QWidget* opener = nullptr);

protected:
    void FormShow() override;
};
