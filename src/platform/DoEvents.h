#pragma once
// Busy waits that keep the windows alive: each turn lets the event loop run.
namespace DoEvents {
void Once();
void Loop(int turns);

// Lets the event loop run for ms milliseconds with the user's input held back: the windows
// repaint and timers tick, but no click, key press or close of the user runs a handler meanwhile.
// Held input is delivered after the wait.
void Wait(int ms);

// While one lives (nested ones too): the busy cursor, and the user's closing of windows refused.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool m_cursor = false;
};
} // namespace DoEvents
