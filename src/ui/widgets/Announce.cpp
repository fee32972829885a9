#include "Announce.h"

#include "Accessibility.h"

#include <QString>
#include <QWidget>

namespace {
constexpr QLatin1String kNoticeName("annuncio");

// The window's notification: no size, no focus, hidden but for the moment it speaks. A change of
// the focused control's description would be the quieter way, but Qt 6.4 tells the reader that a
// description changed without its new words, and a reader speaks such a change from the words the
// event carries: it says nothing. A notification that shows is spoken from the object itself.
QWidget* noticeOf(QWidget* window)
{
    if (auto* notice = window->findChild<QWidget*>(kNoticeName, Qt::FindDirectChildrenOnly))
        return notice;
    auto* notice = new QWidget(window);
    notice->setObjectName(kNoticeName);
    notice->setGeometry(0, 0, 0, 0);
    notice->setFocusPolicy(Qt::NoFocus);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->hide();
    Accessibility::presentAsNotification(notice);
    return notice;
}
} // namespace

void Announce::say(QWidget* widget, const QString& text)
{
    QWidget* notice = noticeOf(widget->window());
    notice->setAccessibleName(text);
    // Shown and hidden at once: the reader hears it as it shows, and a window shown again later
    // does not show it, and say it, a second time.
    notice->show();
    notice->hide();
}
