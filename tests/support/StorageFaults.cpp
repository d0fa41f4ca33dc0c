#include "StorageFaults.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace StorageFaults {

int DamageTable(const QString &path, const QString &table, int pages) {
    std::vector<qint64> leaves;
    qint64 pageSize = 0;
    const QString name = QStringLiteral("storage-faults");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error("cannot open the file to damage");
        QSqlQuery query(db);
        // The path orders the pages as the tree is walked, which is the order a scan reads them.
        if (!query.exec(QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND pagetype = 'leaf' ORDER BY path")
                            .arg(QString(table).replace(u'\'', QStringLiteral("''")))))
            throw std::runtime_error(query.lastError().text().toStdString());
        while (query.next())
            leaves.push_back(query.value(0).toLongLong());
        query.exec(QStringLiteral("PRAGMA page_size"));
        query.next();
        pageSize = query.value(0).toLongLong();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (int(leaves.size()) < pages + 2)
        throw std::runtime_error("the table is too small to be damaged in its middle");
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw std::runtime_error("cannot write the file to damage");
    const QByteArray junk(pageSize, char(0xA5));
    const size_t first = leaves.size() / 2;
    for (size_t i = first; i < first + size_t(pages); ++i) {
        file.seek((leaves[i] - 1) * pageSize);
        file.write(junk);
    }
    return int(leaves.size());
}

QByteArray FileDigest(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the file");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

FailingReadBack::FailingReadBack(const QSqlDatabase &db, const QString &table) : m_table(table) {
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !(m_handle = *static_cast<sqlite3 *const *>(handle.data())))
        throw std::runtime_error("not an open SQLite connection");
    sqlite3_set_authorizer(m_handle, &FailingReadBack::authorize, this);
}

FailingReadBack::~FailingReadBack() { sqlite3_set_authorizer(m_handle, nullptr, nullptr); }

int FailingReadBack::authorize(void *self, int action, const char *first, const char *, const char *, const char *) {
    auto *fault = static_cast<FailingReadBack *>(self);
    const bool ours = first && QString::fromUtf8(first).compare(fault->m_table, Qt::CaseInsensitive) == 0;
    if (action == SQLITE_INSERT && ours)
        fault->m_inserted = true;
    if (action == SQLITE_READ && ours && fault->m_inserted && !fault->m_refused) {
        fault->m_refused = true;
        return SQLITE_DENY;
    }
    return SQLITE_OK;
}

} // namespace StorageFaults
