#pragma once

#include <QWidget>

// A window of the main chain: made once at start-up, shown and hidden again and again. Showing it
// runs FormShow, which resets what it displays; closing it runs FormClose, which shows the window
// it returns to and hides it. It is never destroyed before the program ends.
class ChainWindow : public QWidget {
    Q_OBJECT
public:
    enum class Placement { Maximised, Centred };

    ChainWindow(const QString& caption, Placement placement, QSize clientSize = {});

    // Shows the window the way it is meant to appear (maximised or centred on the screen).
    void present();

    // Shows the next window, then hides this one.
    void handOverTo(ChainWindow* next);

protected:
    virtual void FormShow() {}
    // Whether the window may close now; false keeps it open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Placement m_placement;
};
