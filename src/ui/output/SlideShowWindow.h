#pragma once

#include "folder/CoverPicture.h"
#include "shell/CardHandoff.h"
#include "shell/PictureWindow.h"
#include "storage/Kind.h"

#include <memory>

class QLabel;
class QTimer;
class Picture;
class PictureButton;

// Full-screen slide show of the covers of one archive: the start picture, then every card's photo
// in record order, one at each tick of the timer, over and over until a click on the picture ends
// it. The archive is opened and closed at each tick, so the show always sees the last save.
class SlideShowWindow : public PictureWindow {
    Q_OBJECT
public:
    SlideShowWindow(const Kind& kind, QWidget* opener);

    // The archive of the card window: its full path (lblFile) and its name (lblNome).
    void setCard(const CardHandoff& card);

    Picture* imgBianco;
    QLabel* lblFile;
    QLabel* lblNome;
    QLabel* lblPosizione;
    PictureButton* cmdAvanti;
    QTimer* Timer;

public slots:
    void TimerTimer();
    void cmdAvantiClick();
    void imgFotoClick() override;
    void panContainerClick() override;

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormShow() override;
    void subApriFoto();
    void showStartPicture();

    const Kind& m_kind;
    CoverPicture m_startPicture;
    bool m_stepping = false;
};
