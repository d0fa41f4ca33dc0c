#include "platform/Modal.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>
#include <vector>

#include "platform/Guard.h"

namespace Modal {
namespace {
Handler &handler() {
    static Handler h;
    return h;
}
int &depth() {
    static int d = 0;
    return d;
}
struct Waiting {
    int depth;
    std::function<void()> work;
};
std::vector<Waiting> &waiting() {
    static std::vector<Waiting> w;
    return w;
}

// After a modal has closed: what waited for it runs once the closing handler has returned.
void runWaiting() {
    QTimer::singleShot(0, qApp, [] {
        std::vector<Waiting> due;
        auto &all = waiting();
        for (auto it = all.begin(); it != all.end();) {
            if (depth() <= it->depth) {
                due.push_back(std::move(*it));
                it = all.erase(it);
            } else {
                ++it;
            }
        }
        for (Waiting &w : due)
            Guard::Run(w.work);
    });
}
} // namespace

void SetHandler(Handler h) { handler() = std::move(h); }

int Depth() { return depth(); }

Session::Session() { ++depth(); }

Session::~Session() {
    --depth();
    if (!waiting().empty())
        runWaiting();
}

void WhenDepthAtMost(int atMost, std::function<void()> work) {
    waiting().push_back({atMost, std::move(work)});
    if (depth() <= atMost)
        runWaiting();
}

int Exec(QDialog &dialog) {
    Session session;
    if (handler())
        return handler()(dialog);
    return dialog.exec();
}
} // namespace Modal
