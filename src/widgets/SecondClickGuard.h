#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A window that closes at a click on its picture closes at the first click of a double-click; the
// second would land on the window beneath, on whatever button lies there. For the time of a
// double-click after such a close, mouse clicks on that window are dropped.
class SecondClickGuard final : public QObject {
public:
    // Starts guarding `window`; the guard ends by itself.
    static void start(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SecondClickGuard(QWidget* window);

    QPointer<QWidget> m_window;
};
