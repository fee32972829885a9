#include "LinkLabel.h"

#include "Accessibility.h"
#include "Fonts.h"

#include <QAbstractButton>
#include <QMouseEvent>

const QColor LinkLabel::kColour(0x00, 0x00, 0x8B);
const QColor LinkLabel::kPressedColour(0xFF, 0xA5, 0x00);

LinkLabel::LinkLabel(const QString& objectName, const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);
    QFont font = programFont(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setPressed(false);
}

void LinkLabel::attachPicture(QAbstractButton* picture)
{
    // The picture is the link's own: a screen reader calls it by the link's text, and meets the
    // link once, at the picture that the keys reach.
    picture->setAccessibleName(text());
    Accessibility::leaveOut(this);
    connect(picture, &QAbstractButton::pressed, this, [this] { setPressed(true); });
    connect(picture, &QAbstractButton::released, this, [this] { setPressed(false); });
    connect(picture, &QAbstractButton::clicked, this, &LinkLabel::click);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    setPressed(true);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    setPressed(false);
    event->accept();
    // Like a button: letting go outside the text is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void LinkLabel::setPressed(bool pressed)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, pressed ? kPressedColour : kColour);
    setPalette(colours);
}

void LinkLabel::click()
{
    emit clicked();
    // Whatever the click opened, the link is back at rest afterwards.
    setPressed(false);
}
