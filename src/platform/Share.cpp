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
    // Server shares are not case-sensitive: each name finds its folder or file whatever its case.
    QString path = Root();
    for (const QString &part : parts) {
        const QDir dir(path);
        QString name = part;
        if (!QFileInfo::exists(dir.filePath(part)))
            for (const QString &entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    name = entry;
                    break;
                }
        path = dir.filePath(name);
    }
    return path;
}

bool SearchTreeForFile(const QString &rootPath, const QString &fileName, QString *foundPath) {
    const auto local = LocalPath(rootPath);
    if (!local || fileName.isEmpty() || fileName.contains(u'/') || !QFileInfo(*local).isDir())
        return false;
    QDirIterator it(*local, QStringList{fileName}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName().compare(fileName, Qt::CaseInsensitive) == 0) {
            if (foundPath)
                *foundPath = path;
            return true;
        }
    }
    return false;
}
} // namespace Share
