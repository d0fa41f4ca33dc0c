#pragma once
// The fixed texts that reach the shared database on a server's share.
#include <QString>

namespace ConnectionText {
inline const QString DatabaseFileName = QStringLiteral("tellumo.dll");
// The password that the database file was prepared with; the program carries it.
inline const QString DatabasePassword = QStringLiteral("mehr abad,[ sorkh qa");
// The entry password written at the first start on a computer.
inline const QString DefaultEntryPassword = QStringLiteral("313");

// "\\" + server + "\tellumo\"
inline QString ShareFolder(const QString &server) {
    return QStringLiteral("\\\\") + server + QStringLiteral("\\tellumo\\");
}

inline QString For(const QString &server) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\\\\") + server +
           QStringLiteral("\\tellumo\\tellumo.dll;Jet OLEDB:Database Password=") + DatabasePassword +
           QStringLiteral(";");
}
} // namespace ConnectionText
