#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message of the program goes through here, so the five kinds look alike everywhere and
// tests can answer a box and read back what it said.
namespace MessageBox {

// The five kinds every window uses, and two that ask before an edit could be lost: a question
// with Yes, No and Cancel, and a choice whose buttons say in words what each does.
enum class Kind { Warning, Error, Information, Confirmation, Plain, Question, Choice };

struct Shown {
    Kind kind;
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
    QStringList captions; // the buttons' words, in the order of `buttons`' values
};

// A button of a choice: the standard button it answers as, and its words.
struct Choice {
    QMessageBox::StandardButton button;
    QString caption;
};

void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
void plain(QWidget* parent, const QString& text);

// Asks with Yes and No; true unless the answer is No.
bool confirm(QWidget* parent, const QString& text);

// Asks with Yes, No and Cancel; Escape answers Cancel.
QMessageBox::StandardButton ask(QWidget* parent, const QString& text);

// Asks with buttons of its own words, the first of them the default; Escape answers Cancel, which
// must be one of them.
QMessageBox::StandardButton choose(QWidget* parent, const QString& text, const QList<Choice>& choices);

QMessageBox::StandardButton show(QWidget* parent, Kind kind, const QString& text);

// While a responder is set no box is shown: the responder sees what would have been shown and
// gives the button pressed. Tests only; an empty responder restores the real boxes.
using Responder = std::function<QMessageBox::StandardButton(const Shown&)>;
void setResponder(Responder responder);

} // namespace MessageBox
