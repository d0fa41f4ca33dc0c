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

// How many modal windows are open now, one inside the other: windows, message boxes, file dialogs.
int Depth();

// Held while a modal window is open (Exec holds one; so do the message box and the file dialog).
class Session {
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
};

// Runs once no modal window deeper than depth is open any more, back in the event loop.
void WhenDepthAtMost(int depth, std::function<void()> work);
} // namespace Modal
