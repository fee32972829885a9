#include "FieldHighlight.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

namespace {
// The overlay laid over a field: its SkyBlue border, transparent to the mouse. The fill under it
// is the field's own base colour, which follows the focus.
class Overlay final : public QWidget {
public:
    explicit Overlay(QLineEdit* field) : QWidget(field)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        resize(field->size());
        field->installEventFilter(this);
        paintFill(field, FieldHighlight::kAliceBlue);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = static_cast<QLineEdit*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            paintFill(field, FieldHighlight::kYellow);
            break;
        case QEvent::FocusOut:
            paintFill(field, FieldHighlight::kAliceBlue);
            break;
        case QEvent::Resize:
            resize(field->size());
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(FieldHighlight::kSkyBlue);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    static void paintFill(QLineEdit* field, const QColor& colour)
    {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Text, Qt::black);
        field->setPalette(palette);
    }
};
} // namespace

void FieldHighlight::attachOverlay(QLineEdit* field)
{
    // Painted by hand rather than with a style sheet: a style sheet per field made creating the
    // card windows at start-up several times slower.
    field->setFrame(false);
    field->setTextMargins(3, 0, 3, 0);
    new Overlay(field);
}
