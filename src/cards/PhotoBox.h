#pragma once

#include <QImage>
#include <QWidget>

// Shows a picture centred, reduced to fit with its proportions kept when it is larger than the
// box, and at its own size when it is smaller: never enlarged.
class PhotoBox final : public QWidget {
    Q_OBJECT
public:
    PhotoBox(const QString& objectName, QSize size, QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

    // Where the picture is drawn inside the box.
    QRect pictureArea() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};
