#pragma once

// The list windows opened from a real card window on an archive built byte by byte.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "search/ListWindow.h"
#include "search/ResultList.h"

#include <QApplication>
#include <QTest>

#include <functional>

// Runs `act` on the list window that `button` of the card window opens, inside its modal loop,
// and closes the window afterwards if `act` left it open.
template <typename Window>
bool withListWindow(OpenCard& card, const char* button, const std::function<void(Window*)>& act)
{
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<Window*>(modal);
        if (window && QTest::qWaitForWindowActive(window)) {
            opened = true;
            act(window);
        }
        if (modal && modal->isVisible())
            modal->close();
    });
    card.click(button);
    // Had no window opened, the callback would still be waiting, holding references to this
    // frame: run it now, while they are alive, so the test fails here rather than later.
    QCoreApplication::sendPostedEvents();
    return opened;
}

// A double-click on a line of the list, after a click as a user's double-click begins.
inline void doubleClickRow(ResultList* list, int row)
{
    const QPoint at(20, list->visualRect(list->model()->index(row, 0)).center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline QString padded(const QString& text, int width)
{
    return text + QString(width - text.size(), u' ');
}

inline QString archiveOf(const QString& path, const Kind& kind, const QList<StoredTexts>& cards)
{
    QByteArray bytes;
    for (const StoredTexts& card : cards)
        bytes += recordBytes(kind, card);
    writeFileBytes(path, bytes);
    return path;
}
