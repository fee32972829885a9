#pragma once

#include "folder/CoverPicture.h"

#include <QImage>
#include <QWidget>

// Shows a picture centred, reduced to fit with its proportions kept when it is larger than the
// box, and at its own size when it is smaller: never enlarged. It decodes only as many pixels as
// it shows; the picture itself stays whole for whoever saves it.
class PhotoBox final : public QWidget {
    Q_OBJECT
public:
    PhotoBox(const QString& objectName, QSize size, QWidget* parent);

    // False, and the box unchanged, when the picture cannot be decoded.
    bool setPicture(const CoverPicture& picture);
    const CoverPicture& picture() const { return m_picture; }

    // What the box draws: the picture reduced to the box.
    const QImage& image() const { return m_shown; }

    // Where the picture is drawn inside the box.
    QRect pictureArea() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CoverPicture m_picture;
    QImage m_shown;
};
