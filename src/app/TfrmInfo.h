#pragma once

#include "DialogWindow.h"

// Information about the program.
class TfrmInfo final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* opener = nullptr);
};
