#pragma once

#include "app/DialogWindow.h"

// The Dewey classification table of the book card.
class TfrmCodici_Dewey final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCodici_Dewey(QWidget* opener = nullptr);
};
