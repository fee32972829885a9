#pragma once

#include "shell/DialogWindow.h"

class LinkLabel;
class PictureButton;
class QLabel;
class QPushButton;

// Information about the program, with the maker's contact address.
class TfrmInfo final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* opener = nullptr);

    QLabel* imgLogo;
    PictureButton* imgEmail;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;

private:
    void lnkWebClick();
    void btnChiudiClick();
};
