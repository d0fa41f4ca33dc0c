#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace SingleInstance {
namespace {
struct State {
    QString path;
    std::unique_ptr<QLockFile> lock;
    bool acquired = false;
    bool prev = false;
};
State &state() {
    static State s;
    return s;
}
QString lockPath() {
    if (!state().path.isEmpty())
        return state().path;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("tellumo.lock"));
}
} // namespace

bool Acquire() {
    State &s = state();
    if (s.acquired)
        return !s.prev;
    const QString path = lockPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    s.lock = std::make_unique<QLockFile>(path);
    s.lock->setStaleLockTime(0); // a copy that died leaves a lock that the next start takes over
    // Only a lock that a running copy holds is another copy. One that cannot be made at all (no
    // folder, no permission) lets this copy run unguarded rather than turn it away.
    s.prev = !s.lock->tryLock(0) && s.lock->error() == QLockFile::LockFailedError;
    s.acquired = true;
    return !s.prev;
}

bool PrevInstance() {
    if (!state().acquired)
        Acquire();
    return state().prev;
}

void SetLockPath(const QString &path) {
    Release();
    state().path = path;
}

void Release() {
    State &s = state();
    s.lock.reset();
    s.acquired = false;
    s.prev = false;
}
} // namespace SingleInstance
