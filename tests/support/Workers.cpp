#include "Workers.h"

#include <QApplication>
#include <map>
#include <string>

#include "platform/App.h"

namespace Workers {
namespace {
std::map<std::string, Worker> &workers() {
    static std::map<std::string, Worker> w;
    return w;
}
} // namespace

bool Register(const char *name, Worker worker) {
    workers()[name] = std::move(worker);
    return true;
}

int RunIfAsked(int argc, char **argv) {
    if (argc < 3 || std::string(argv[1]) != "--worker")
        return -1;
    auto it = workers().find(argv[2]);
    if (it == workers().end())
        return 99;
    // Workers may run windows: without a display, like the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    App::initialise(app);
    return it->second(app.arguments().mid(3));
}
} // namespace Workers
