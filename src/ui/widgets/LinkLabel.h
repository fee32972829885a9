#pragma once

#include <QLabel>

class QAbstractButton;

// A clickable link text: dark blue, orange while a mouse button is held down on it or on the
// picture that goes with it, and dark blue again when the button is released.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& objectName, const QString& text, QWidget* parent);

    // The small picture before the text acts as part of the link, and is called by its text.
    void attachPicture(QAbstractButton* picture);

    static const QColor kColour;
    static const QColor kPressedColour;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setPressed(bool pressed);
    void click();
};
