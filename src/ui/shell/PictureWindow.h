#pragma once

#include "DialogWindow.h"

class PhotoBox;

// A maximised window that shows one picture as large as the screen allows, on a gradient from
// steel blue to white: centred, reduced to fit, never enlarged. A click on the picture or on the
// panel around it is the window's to answer.
class PictureWindow : public DialogWindow {
    Q_OBJECT
public:
    QWidget* panContainer;
    PhotoBox* imgFoto;

public slots:
    virtual void imgFotoClick() = 0;
    virtual void panContainerClick() = 0;

protected:
    PictureWindow(QWidget* opener, const QString& caption);

    // Gives the panel and the picture the size of the screen less room for the window's frame and
    // caption, centred in the window.
    void fitToScreen();

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centrePanel();
};
