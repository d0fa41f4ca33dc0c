#pragma once
// The servers' shared folders as this workstation reaches them. The share \\SERVER\name\ is the
// folder SERVER/name/ under the share root (TELLUMO_SHARES, /mnt when unset).
#include <QString>
#include <optional>

namespace Share {
QString Root();
void SetRoot(const QString &root); // tests; the empty text goes back to the environment

// The local path of a UNC path, or nothing when it is not one: "\\" + server + "\" + folders.
// A server or folder name that would leave its place ("", ".", "..", or one holding "/") is refused.
// Names are matched without regard to case, as a server's share is.
std::optional<QString> LocalPath(const QString &uncPath);

// Searches rootPath and every folder below it for fileName (in any case); the first hit goes to foundPath.
// rootPath is a UNC path; returns false when it names no reachable folder.
bool SearchTreeForFile(const QString &rootPath, const QString &fileName, QString *foundPath = nullptr);
} // namespace Share
