#pragma once

#include <QImage>
#include <QLabel>
#include <QSize>
#include <QString>

class QSvgRenderer;

// The program's pictures are SVG resources. Each is parsed once, when first drawn, and shared by
// every window that shows it: creating the windows at start-up draws nothing.
namespace Pictures {

QSvgRenderer* renderer(const QString& resource);

// The picture drawn at `size` on white, kept for the rest of the run (placeholders, icons).
QImage image(const QString& resource, QSize size);

} // namespace Pictures

// A picture that does nothing when clicked, drawn from an SVG resource when it is painted.
class Picture final : public QLabel {
    Q_OBJECT
public:
    Picture(const QString& objectName, const QString& resource, QSize size, QWidget* parent);

    const QString& resource() const { return m_resource; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_resource;
};
