#pragma once
// Busy waits that keep the windows alive: each turn lets the event loop run.
namespace DoEvents {
void Once();
void Loop(int turns);
} // namespace DoEvents
