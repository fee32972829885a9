#pragma once

#include "CoverPicture.h"
#include "PictureWindow.h"

// The cover photo as large as the screen allows: reduced to fit, never enlarged. A click on the
// picture or around it closes the window.
class TfrmZoom final : public PictureWindow {
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* opener = nullptr);

    // The picture to show; it is decoded at the window's size when the window appears.
    void setPicture(const CoverPicture& picture);

public slots:
    void imgFotoClick() override;
    void panContainerClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    CoverPicture m_picture;
};
