#pragma once

#include <QDialog>

// A window opened modally by another: created at each opening with its opener as parent, shown
// with exec(), destroyed afterwards, so every opening starts fresh. Showing it runs FormShow;
// ending it in any way (its own buttons, Escape, the close box) runs FormClose.
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    enum class Placement {
        CentredOnScreen,
        CentredOnOpener,
        Maximised,
    };

    DialogWindow(QWidget* opener, const QString& caption, QSize clientSize,
                 Placement placement = Placement::CentredOnScreen);

    // Runs the window modally, as the program's openers do.
    int exec() override;
    void done(int result) override;

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;

private:
    Placement m_placement;
};
