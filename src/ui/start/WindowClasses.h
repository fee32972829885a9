#pragma once

#include "storage/Kind.h"

#include <QList>

#include <memory>
#include <stdexcept>

class QWidget;

// What a window of a kind is for. Each shipped kind has one named window class per role
// (TfrmTrovaLibri is the search window of books); KindWindows.h declares them and
// WindowClasses.cpp holds the one table. A kind added with Kind::add gets the family's window of
// each role with its kind.
enum class WindowRole { Menu, Create, Open, Card, Search, Export, Print, Preview, SlideShow, Import };

namespace WindowClasses {

// A new window of the class that plays `role` for `kind`, owned by `opener`, named after its class
// (an added kind's after the named classes: TfrmMenu + its KindLook name).
QWidget* create(WindowRole role, KindId kind, QWidget* opener = nullptr);

// The same as the dialog it is: run it with exec(); it is deleted with the pointer.
template <typename Dialog> std::unique_ptr<Dialog> createDialog(WindowRole role, KindId kind, QWidget* opener)
{
    QWidget* made = create(role, kind, opener);
    auto* dialog = qobject_cast<Dialog*>(made);
    if (!dialog) {
        delete made;
        throw std::logic_error("the window class table gives another sort of window for this role");
    }
    return std::unique_ptr<Dialog>(dialog);
}

// One step of start-up: a window of the program as a whole, or the window of a role for a kind.
struct StartUpStep {
    QWidget* (*single)(); // null for a window of a kind
    WindowRole role;
    KindId kind;
    bool chain; // a chain window, made at start-up; a dialog is made at each opening only
};

// Every window class of the program once, in the order of start-up; the first is the main window.
// A kind added with Kind::add has its windows at the end.
QList<StartUpStep> startUpOrder();

// A new window of the step's class, named after it, owned by nobody.
QWidget* make(const StartUpStep& step);

} // namespace WindowClasses
