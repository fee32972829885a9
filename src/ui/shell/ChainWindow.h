#pragma once

#include <QWidget>

// A window of the main chain: made once at start-up, shown and hidden again and again. Showing it
// runs FormShow, which resets what it displays; closing it runs FormClose, which shows the window
// it returns to and hides it. It is never destroyed before the program ends.
//
// Start-up makes the window itself, with its caption and size, but not its controls: most windows
// of the chain are never shown in a run, and making their controls took most of the start-up.
// They are made once, before the window first shows or is first handed out by start/Windows.
class ChainWindow : public QWidget {
    Q_OBJECT
public:
    enum class Placement { Maximised, Centred };

    ChainWindow(const QString& caption, Placement placement, QSize clientSize = {});

    // Makes the window's controls, the first time only.
    void makeControls();
    void setVisible(bool visible) override;

    // Shows the window the way it is meant to appear (maximised or centred on the screen).
    void present();

    // Shows the next window, then hides this one.
    void handOverTo(ChainWindow* next);

protected:
    // The window's controls, made once; a class that adds controls to its base's makes the base's
    // first.
    virtual void buildControls() = 0;

    virtual void FormShow() {}
    // Whether the window may close now; false keeps it open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Placement m_placement;
    bool m_controlsMade = false;
};
