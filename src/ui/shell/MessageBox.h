#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message of the program goes through here, so the five kinds look alike everywhere and
// tests can answer a box and read back what it said.
namespace MessageBox {

enum class Kind { Warning, Error, Information, Confirmation, Plain };

struct Shown {
    Kind kind;
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
void plain(QWidget* parent, const QString& text);

// Asks with Yes and No; true unless the answer is No.
bool confirm(QWidget* parent, const QString& text);

QMessageBox::StandardButton show(QWidget* parent, Kind kind, const QString& text);

// While a responder is set no box is shown: the responder sees what would have been shown and
// gives the button pressed. Tests only; an empty responder restores the real boxes.
using Responder = std::function<QMessageBox::StandardButton(const Shown&)>;
void setResponder(Responder responder);

} // namespace MessageBox
