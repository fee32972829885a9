#pragma once

#include "shell/ChainWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The access password window, the program's main window: only the right password leads on to
// the start window.
class TfrmPassword final : public ChainWindow {
    Q_OBJECT
public:
    TfrmPassword();

    QLabel* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPassword;
    QWidget* effPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
    QLabel* lblMemory;

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void txtPasswordChange();
};
