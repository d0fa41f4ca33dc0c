#pragma once
// Every modal show goes through here, so tests can act on a window while it is "open".
#include <functional>

class QDialog;

namespace Modal {
// Returns when the window has closed (QDialog::exec in the program).
int Exec(QDialog &dialog);

// Tests install a handler that shows the window, acts on it and returns; nullptr restores exec().
using Handler = std::function<int(QDialog &)>;
void SetHandler(Handler handler);
} // namespace Modal
