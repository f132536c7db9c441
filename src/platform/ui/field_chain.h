#pragma once

#include <exception>
#include <functional>

#include <QString>

class QLineEdit;

// The costing sheet computes by a cascade: a routine writes a field, the
// field's change handler runs inside that write and may run a section, whose
// writes run further handlers. An error raised deep inside such a chain must
// end the whole chain once, at the routine that started it, and be shown
// once: not once per handler that the cascade happened to pass through (an
// emptied print run would otherwise open a box for each of its mirrors).
//
// Qt must not be unwound by an exception, so a nested handler keeps its error
// and the routine's own write (put) raises it again as soon as the text
// setting returns.
namespace tv::ui::chain {

// Runs a bound handler of the sheet. The outermost one lets its error go to
// the caller (the error guard of the event binding); a nested one keeps it
// for the write that caused it.
void runHandler(const std::function<void()>& handler);

// Marks a routine (a section, the summary, the paper computation) as running,
// so that the handlers its writes start keep their errors for it.
class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// Sets the field's text (its change handler runs inside, as always), then
// raises the error a handler of the chain kept, if any.
void put(QLineEdit* field, const QString& text);

// Raises the error a handler of the chain kept, if any.
void rethrowPending();

// Hands over the error a handler of the chain kept (null when none), for a
// routine that must tell its own errors from those of the handlers it ran.
std::exception_ptr takePending();

} // namespace tv::ui::chain
