#pragma once

#include "folder/CoverPicture.h"
#include "shell/CardHandoff.h"
#include "shell/DialogWindow.h"

class PhotoBox;

// The cover photo as large as the screen allows: reduced to fit, never enlarged. A click on the
// picture or around it closes the window.
class TfrmZoom final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* opener = nullptr);

    // The card's photo is shown; it is decoded at the window's size when the window appears.
    void setCard(const CardHandoff& card);

    QWidget* panContainer;
    PhotoBox* imgFoto;

public slots:
    void imgFotoClick();
    void panContainerClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow() override;

    CoverPicture m_picture;
};
