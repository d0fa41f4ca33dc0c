#pragma once
// Faults of the storage under the program, made the way they happen: pages a failing disk has
// spoilt, and a statement the file refuses.
#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace StorageFaults {

// Spoils `pages` leaf pages of table from the middle of its rows, in the order a scan reads them,
// and returns how many leaf pages the table has. Every connection to the file must be closed first
// (their caches would hide the damage).
int DamageTable(const QString &path, const QString &table, int pages = 4);

// A digest of the whole file: equal digests before and after, and nothing was written.
QByteArray FileDigest(const QString &path);

// While it lives, the first reading of table after a row is inserted into it is refused on db's
// connection: the read-back of a stored row that fails once.
class FailingReadBack {
public:
    FailingReadBack(const QSqlDatabase &db, const QString &table);
    ~FailingReadBack();
    FailingReadBack(const FailingReadBack &) = delete;
    FailingReadBack &operator=(const FailingReadBack &) = delete;
    bool Refused() const { return m_refused; }

private:
    static int authorize(void *self, int action, const char *first, const char *, const char *, const char *);
    sqlite3 *m_handle = nullptr;
    QString m_table;
    bool m_inserted = false;
    bool m_refused = false;
};

} // namespace StorageFaults
