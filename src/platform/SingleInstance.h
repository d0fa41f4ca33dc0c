#pragma once
// Whether another copy of the program runs on this computer for this user.
#include <QString>

namespace SingleInstance {
// Taken at start; the lock is held until the program ends. Returns false when another copy holds it.
bool Acquire();
// True when Acquire found another copy running.
bool PrevInstance();
// Where the lock lives (tests); Release lets a test start over.
void SetLockPath(const QString &path);
void Release();
} // namespace SingleInstance
