#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// The look of the full-screen windows: a panel of its own size in the middle of the window (at
// its top left corner when the window is smaller) over a background that shades from `top` at
// the window's top edge to white at its bottom. Made once in the window's constructor, as a child
// of the window; it follows every resize of the window and of the panel.
class CentredPanel final : public QObject {
public:
    CentredPanel(QWidget* window, QWidget* panel, const QColor& top);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QWidget* m_window;
    QWidget* m_panel;
    QColor m_top;
};
