#include "RefusedCharacters.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {
class Filter final : public QObject {
public:
    Filter(QLineEdit* field, bool (*refused)(QChar)) : QObject(field), m_field(field), m_refused(refused) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_field)
            return false;
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            return std::any_of(typed.cbegin(), typed.cend(), m_refused);
        }
        if (event->type() == QEvent::InputMethod)
            return filterInputMethod(*static_cast<QInputMethodEvent*>(event));
        return false;
    }

private:
    bool filterInputMethod(const QInputMethodEvent& event)
    {
        QString kept = event.commitString();
        kept.removeIf(m_refused);
        if (kept == event.commitString())
            return false;
        QInputMethodEvent filtered(event.preeditString(), event.attributes());
        filtered.setCommitString(kept, event.replacementStart(), event.replacementLength());
        QCoreApplication::sendEvent(m_field, &filtered);
        return true;
    }

    QLineEdit* m_field;
    bool (*m_refused)(QChar);
};
} // namespace

void RefusedCharacters::install(QLineEdit* field, bool (*refused)(QChar))
{
    field->installEventFilter(new Filter(field, refused));
}
