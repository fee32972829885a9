#include "FittedLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kSmallestPixelSize = 7;
}

QFont FittedLabel::fittedFont() const
{
    QFont fitted = font();
    const int room = contentsRect().width() - 2 * margin();
    int pixelSize = QFontInfo(fitted).pixelSize();
    while (pixelSize > kSmallestPixelSize && QFontMetrics(fitted).horizontalAdvance(text()) > room) {
        --pixelSize;
        fitted.setPixelSize(pixelSize);
    }
    return fitted;
}

void FittedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(fittedFont());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin())), int(alignment()),
                     text());
}
