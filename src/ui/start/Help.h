#pragma once

#include <QString>

class QWidget;

// The help request of every help button.
namespace Help {

// Opens a fresh help window over `opener` on the topic with this title, modally; the opener
// stays where it was.
void showTopic(QWidget* opener, const QString& title);

} // namespace Help
