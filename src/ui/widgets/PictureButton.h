#pragma once

#include <QAbstractButton>

// A clickable picture: the program's toolbar icons, picture buttons and links drawn from SVG.
// Its meaning ("Salva scheda") is what a screen reader says of it. Tab reaches it and Enter or
// Space presses it; a click leaves the focus where it was, so a field being typed in keeps it.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString& objectName, const QString& picture, const QString& meaning, QSize size,
                  QWidget* parent);

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString m_picture;
    bool m_hovered = false;
};
