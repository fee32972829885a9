#pragma once

#include "CatalogueWindow.h"

class QPushButton;

// The menu of one kind: create a new archive or open an existing one. The buttons only say where
// to go, in lblMemory, and close the menu; the close decides, so only one window is ever shown.
class MenuWindow : public CatalogueWindow {
    Q_OBJECT
public:
    explicit MenuWindow(const Kind& kind);

public slots:
    void btnCreaClick();
    void btnCompilaClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    QLabel* lblIstruzioni;
    QPushButton* btnCrea;
    QPushButton* btnCompila;
    PictureButton* imgEsci;
    QLabel* lblMemory;
};
