#pragma once

#include "shell/DialogWindow.h"

class LinkLabel;
class PictureButton;
class QLabel;
class QPushButton;

// The about window: the product, its maker and the maker's web site.
class TfrmSplash final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* opener = nullptr);

    QLabel* imgLogo;
    PictureButton* imgWeb;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;

private:
    void lnkWebClick();
    void btnChiudiClick();
};
