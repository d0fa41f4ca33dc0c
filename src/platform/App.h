#pragma once
#include <functional>

class QApplication;

namespace App {
// The program's own title: message boxes without a title show it.
inline constexpr const char *Title = "Tellumo";

// Right-to-left layout, the Persian font, Qt's own texts in Persian and the compiled-in resources.
void initialise(QApplication &app);

// Ends the program at once, wherever it is (no question, no clean-up beyond the system's).
// Callers return right after it: in tests the end handler records the end and returns.
void End(int code = 0);
using EndHandler = std::function<void(int)>;
void SetEndHandler(EndHandler handler);

// The program (not a test) ends when its last window has closed.
void QuitWhenLastWindowCloses(bool on);
void WindowClosed();
} // namespace App
