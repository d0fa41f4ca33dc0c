#include "platform/Db.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

#include "platform/Share.h"

namespace Db {

QString QuoteIdent(const QString &name) {
    QString inner = name;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString ConnectionAttribute(const QString &connectionString, const QString &attribute) {
    for (const QString &part : connectionString.split(u';')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq > 0 && part.left(eq).trimmed().compare(attribute, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return QString();
}

QString DataSourcePath(const QString &connectionString) {
    const QString source = ConnectionAttribute(connectionString, QStringLiteral("Data Source"));
    if (source.isEmpty())
        return QString();
    const auto local = Share::LocalPath(source);
    return local.value_or(QString());
}

QSqlQuery Exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values) {
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw DbError(query.lastError().text() + QStringLiteral(" [") + sql + u']');
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw DbError(query.lastError().text() + QStringLiteral(" [") + sql + u']');
    return query;
}

QSqlDatabase OpenChecked(const QString &path, const QString &name) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        throw DbError(QStringLiteral("database file not found: ") + path);
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // mode=rw: never create a file that is not there.
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open())
        throw DbError(QStringLiteral("cannot open ") + path + QStringLiteral(": ") + db.lastError().text());
    try {
        QSqlQuery id = Exec(db, QStringLiteral("PRAGMA application_id"));
        if (!id.next() || id.value(0).toInt() != ApplicationId)
            throw DbError(QStringLiteral("not a database of this program: ") + path);
        QSqlQuery tables = Exec(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND "
                                                   "name IN ('setting','droos','clase')"));
        if (!tables.next() || tables.value(0).toInt() != 3)
            throw DbError(QStringLiteral("the database lacks its fixed tables: ") + path);
    } catch (...) {
        db.close();
        throw;
    }
    return db;
}

namespace {
QString sharedName(const QString &connectionString) {
    return QStringLiteral("shared-") +
           QString::fromLatin1(
               QCryptographicHash::hash(connectionString.toUtf8(), QCryptographicHash::Sha1).toHex());
}
} // namespace

QSqlDatabase Database(const QString &connectionString) {
    const QString name = sharedName(connectionString);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    return OpenChecked(DataSourcePath(connectionString), name);
}

void CloseAll() {
    for (const QString &name : QSqlDatabase::connectionNames()) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

Transaction::Transaction(const QSqlDatabase &db) : m_db(db) {
    Exec(m_db, QStringLiteral("BEGIN IMMEDIATE"));
    m_open = true;
}

Transaction::~Transaction() {
    if (m_open) {
        QSqlQuery rollback(m_db);
        rollback.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::Commit() {
    Exec(m_db, QStringLiteral("COMMIT"));
    m_open = false;
}

void Connection::Open(const QString &, const QString &, int) {
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("test-connection-%1").arg(++counter);
    OpenChecked(DataSourcePath(ConnectionString), m_name);
    m_open = true;
}

void Connection::Close() {
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
    m_open = false;
}

} // namespace Db
