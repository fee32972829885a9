#pragma once

#include "shell/ChainWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Change of the access password: the old one, the new one and its confirmation. Whenever it
// closes, the password window comes back, empty.
class TfrmCambiaPassword final : public ChainWindow {
    Q_OBJECT
public:
    TfrmCambiaPassword();

    QLabel* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPasswordOld;
    QLabel* lblRigo06;
    QLineEdit* txtPasswordNew;
    QLabel* lblRigo07;
    QLineEdit* txtConferma;
    QWidget* effPasswordOld;
    QWidget* effPasswordNew;
    QWidget* effConferma;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QLabel* lblMemory;

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* passwordField(const QString& name, int y);
    void cmdOKClick();
    void cmdEsciClick();
    void fieldsChange();
    void refuseOldPassword();
    void reportChangeFailure();
};
