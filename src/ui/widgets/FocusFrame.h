#pragma once

#include <QWidget>

// The yellow frame behind a field of the password and search windows: 4 units larger than the
// field on every side, shown while the field has the focus.
class FocusFrame final : public QWidget {
    Q_OBJECT
public:
    // Creates the frame behind `field`, in the same parent, hidden.
    FocusFrame(const QString& objectName, QWidget* field);

    static constexpr int kMargin = 4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QWidget* m_field;
};
