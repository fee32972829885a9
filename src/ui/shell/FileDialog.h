#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Open and save dialogs of the program: Qt's own dialog, so they behave alike on every desktop,
// and answerable by tests.
namespace FileDialog {

struct Request {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QStringList filters;   // "Immagine JPEG (*.jpg *.jpeg)"
    QString proposedName;  // save dialogs only
    QString defaultSuffix; // added to a name typed without extension
};

// The chosen file's full path, or an empty text when the user cancels.
QString run(QWidget* parent, const Request& request);

// Tests only: while set, no dialog is shown and the responder's answer is taken.
using Responder = std::function<QString(const Request&)>;
void setResponder(Responder responder);

} // namespace FileDialog
