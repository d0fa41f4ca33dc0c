#pragma once
// The last guard of every handler that the event loop enters. Qt is not exception-safe across its
// event loop, so whatever a handler lets through is told here and the program runs on. Handlers
// still catch their own failures first, to say what their window says of them.
#include <QObject>
#include <concepts>
#include <functional>
#include <utility>

namespace Guard {

// Runs work; a failure it lets through is told. Returns whether the work ran to its end.
bool Run(const std::function<void()> &work) noexcept;

// A handler entered through Run, taking as many of the signal's arguments as it asks for.
template <class Fn> class Guarded {
public:
    explicit Guarded(Fn fn) : m_fn(std::move(fn)) {}
    template <class... Args>
        requires std::invocable<Fn &, Args...>
    void operator()(Args &&...args) {
        Run([&] { std::invoke(m_fn, std::forward<Args>(args)...); });
    }

private:
    Fn m_fn;
};

// QObject::connect to a handler, through the guard.
template <class Sender, class Signal, class Fn>
QMetaObject::Connection Connect(const Sender *sender, Signal signal, const QObject *context, Fn handler) {
    return QObject::connect(sender, signal, context, Guarded<Fn>(std::move(handler)));
}

} // namespace Guard
