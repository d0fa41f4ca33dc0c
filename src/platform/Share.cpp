#include "platform/Share.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Share {
namespace {
QString &rootOverride() {
    static QString r;
    return r;
}

bool safeName(const QString &name) {
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(u'/') && !name.contains(QChar(0));
}
} // namespace

QString Root() {
    if (!rootOverride().isEmpty())
        return rootOverride();
    const QString env = qEnvironmentVariable("TELLUMO_SHARES");
    return env.isEmpty() ? QStringLiteral("/mnt") : env;
}

void SetRoot(const QString &root) { rootOverride() = root; }

std::optional<QString> LocalPath(const QString &uncPath) {
    if (!uncPath.startsWith(QStringLiteral("\\\\")))
        return std::nullopt;
    QStringList parts = uncPath.mid(2).split(u'\\');
    // A trailing backslash names the folder itself.
    if (parts.size() > 1 && parts.last().isEmpty())
        parts.removeLast();
    for (const QString &part : parts)
        if (!safeName(part))
            return std::nullopt;
    return QDir(Root()).filePath(parts.join(u'/'));
}

bool SearchTreeForFile(const QString &rootPath, const QString &fileName, QString *foundPath) {
    const auto local = LocalPath(rootPath);
    if (!local || fileName.isEmpty() || fileName.contains(u'/') || !QFileInfo(*local).isDir())
        return false;
    QDirIterator it(*local, QStringList{fileName}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName() == fileName) {
            if (foundPath)
                *foundPath = path;
            return true;
        }
    }
    return false;
}
} // namespace Share
