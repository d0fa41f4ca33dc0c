#pragma once
// A test can run its own program again as a worker process: `test_x --worker NAME ARGS...` runs the
// worker registered under NAME instead of the tests. Used to try several workstations at once.
#include <QStringList>
#include <functional>

namespace Workers {
using Worker = std::function<int(const QStringList &args)>;
// Registers at static initialisation: `static const bool r = Workers::Register("name", fn);`
bool Register(const char *name, Worker worker);
// Runs the worker when the command line asks for one; returns -1 when it does not.
int RunIfAsked(int argc, char **argv);
} // namespace Workers
