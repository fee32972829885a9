#pragma once

#include <QString>

#include <exception>

// The general error handler. A handler runs inside Qt's own event code, which is built without
// exception support: an error thrown through it skips that code's clean-up, leaking the copies of
// the event it holds and leaving its state half changed. So every handler is connected through
// guarded(), which stops an escaped error at the handler itself. The application's notify() stays
// as the net, with the same report, for errors of event overrides (keys, closing, showing).
namespace Guarded {

// Shows the error in a plain box over the active window; the program goes on. The box holds the
// error's own text only for a UserError, whose text is written for the user; any other error
// gets unexpectedErrorText().
void report(const std::exception_ptr& error);

QString unexpectedErrorText();

} // namespace Guarded

// guarded(this, &Window::cmdSalvaClick) is what connect() takes in place of the handler.
template <typename Receiver, typename Object, typename... Args>
auto guarded(Receiver* receiver, void (Object::*handler)(Args...))
{
    Object* object = receiver;
    return [object, handler](Args... arguments) {
        try {
            (object->*handler)(arguments...);
        } catch (...) {
            Guarded::report(std::current_exception());
        }
    };
}
