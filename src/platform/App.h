#pragma once
class QApplication;

namespace App {
// The program's own title: message boxes without a title show it.
inline constexpr const char *Title = "Tellumo";

// Right-to-left layout, the Persian font, Qt's own texts in Persian and the compiled-in resources.
void initialise(QApplication &app);
} // namespace App
