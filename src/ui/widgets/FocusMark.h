#pragma once

#include <QWidget>

class QAbstractButton;

// The mark around a picture button that has the focus while the user works with the keys: a
// yellow ring edged in the program's dark blue, just outside the picture, so that it covers
// nothing of it. It lies over the button's neighbours and lets the mouse through.
class FocusMark final : public QWidget {
    Q_OBJECT
public:
    // Creates the mark of `button`, in the same parent, hidden.
    explicit FocusMark(QAbstractButton* button);

    QAbstractButton* button() const { return m_button; }

    static constexpr int kMargin = 5;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QAbstractButton* m_button;
};
