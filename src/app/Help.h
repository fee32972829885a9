#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The help topics and the help request of every help button.
namespace Help {

// Opens a fresh help window over `opener` on the topic with this title, modally.
void showTopic(QWidget* opener, const QString& title);

} // namespace Help
