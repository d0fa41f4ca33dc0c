#include "platform/Db.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <optional>

#include "platform/DoEvents.h"
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

namespace {
int g_patience = BusyTimeoutMs;
// Asks the user whether to wait on; with no one to ask the wait goes on.
std::function<bool()> g_askKeepWaiting;
std::function<void()> g_waitObserver;
qint64 g_longestWait = 0;
// Connections inside a Transaction: a lock met there is not waited for statement by statement.
QSet<QString> g_inTransaction;

bool isCommit(const QString &sql) { return sql.trimmed().compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0; }

// One wait for another workstation's lock, from its first refusal to the work going through.
class LockWait {
public:
    LockWait() {
        // A copy: the observer may replace itself while it runs.
        if (const std::function<void()> observer = g_waitObserver)
            observer();
    }
    // The first refusal came after one slice of waiting inside SQLite.
    ~LockWait() { g_longestWait = std::max(g_longestWait, m_since.elapsed() + BusySliceMs); }
    // The windows paint a moment; once the patience is spent the user decides whether to wait on.
    void Turn() {
        DoEvents::Wait(5);
        if (m_asked.elapsed() < g_patience)
            return;
        // The question is the user's to answer as any other: the usual cursor, and its box may be closed.
        m_busy.reset();
        const bool waitOn = !g_askKeepWaiting || g_askKeepWaiting();
        if (!waitOn)
            throw BusyError(QStringLiteral("the database file is in use by another workstation"));
        m_busy.emplace();
        m_asked.restart();
    }

private:
    std::optional<DoEvents::BusyScope> m_busy{std::in_place};
    QElapsedTimer m_since = started();
    QElapsedTimer m_asked = started();
    static QElapsedTimer started() {
        QElapsedTimer t;
        t.start();
        return t;
    }
};
} // namespace

void SetBusyPatience(int ms) { g_patience = ms; }
void SetKeepWaitingQuestion(std::function<bool()> ask) { g_askKeepWaiting = std::move(ask); }
void SetWaitObserver(std::function<void()> observer) { g_waitObserver = std::move(observer); }
qint64 LongestWaitMs() { return g_longestWait; }

namespace {
constexpr int SqliteBusy = 5;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

// The primary result code of an SQLite failure (extended codes carry it in their low byte).
int primaryCode(const QSqlError &error) {
    if (error.type() == QSqlError::NoError)
        return 0;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}
} // namespace

bool IsBusy(const QSqlError &error) { return primaryCode(error) == SqliteBusy; }

bool IsBusyFailure(const DbError &error) { return dynamic_cast<const BusyError *>(&error) != nullptr; }

void Fail(const QSqlError &error, const QString &sql) {
    const QString what = error.text() + QStringLiteral(" [") + sql + u']';
    if (IsBusy(error))
        throw BusyError(what);
    const int code = primaryCode(error);
    if (code == SqliteCorrupt || code == SqliteNotADatabase)
        throw DamagedError(what);
    throw DbError(what);
}

bool Next(QSqlQuery &query) {
    if (query.next())
        return true;
    const QSqlError error = query.lastError();
    if (error.type() != QSqlError::NoError)
        Fail(error, query.lastQuery());
    return false;
}

QSqlError Run(const QSqlDatabase &db, QSqlQuery &query, const QString &sql, const QVariantList &values) {
    std::optional<LockWait> wait;
    for (;;) {
        QSqlError error;
        if (!query.prepare(sql)) {
            error = query.lastError();
        } else {
            for (const QVariant &v : values)
                query.addBindValue(v);
            if (!query.exec())
                error = query.lastError();
        }
        if (!IsBusy(error))
            return error;
        // Inside a transaction only the commit may be tried again; anything else rolls it all back.
        if (g_inTransaction.contains(db.connectionName()) && !isCommit(sql))
            throw BusyError(error.text() + QStringLiteral(" [") + sql + u']');
        if (!wait)
            wait.emplace();
        wait->Turn();
    }
}

QSqlQuery Exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values) {
    QSqlQuery query(db);
    const QSqlError error = Run(db, query, sql, values);
    if (error.type() != QSqlError::NoError)
        Fail(error, sql);
    return query;
}

namespace {
// Shares do not keep the write-ahead log's shared memory safe. Leaving it needs the file to
// ourselves: while another workstation has it open, the mode stays and is tried at the next opening.
void leaveWriteAheadLog(const QSqlDatabase &db) {
    {
        QSqlQuery mode(db);
        if (!mode.exec(QStringLiteral("PRAGMA journal_mode")) || !mode.next() ||
            mode.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
            return;
    }
    QSqlQuery back(db);
    back.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
}
} // namespace

namespace {
// Each opening of a connection is told apart from every earlier one, also on the same driver.
const char *const OpeningProperty = "tellumoOpening";
std::atomic<qint64> g_openings{0};
} // namespace

std::optional<DataStamp> Stamp(const QSqlDatabase &db) {
    if (!db.isOpen() || !db.driver() || g_inTransaction.contains(db.connectionName()))
        return std::nullopt;
    const QVariant opening = db.driver()->property(OpeningProperty);
    if (!opening.isValid())
        return std::nullopt;
    // Each read as a statement of its own: run so, a pragma begins a read of the file and sees
    // another connection's commit (read inside a SELECT it may report the state of an earlier read).
    const char *const readings[] = {"PRAGMA data_version", "PRAGMA schema_version", "SELECT total_changes()"};
    qint64 values[3];
    for (int i = 0; i < 3; ++i) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (Run(db, query, QLatin1String(readings[i])).type() != QSqlError::NoError || !query.next())
            return std::nullopt;
        values[i] = query.value(0).toLongLong();
    }
    return DataStamp{opening.toLongLong(), values[0], values[2], values[1]};
}

QSqlDatabase OpenChecked(const QString &path, const QString &name) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        throw DbError(QStringLiteral("database file not found: ") + path);
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // mode=rw: never create a file that is not there.
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusySliceMs));
    if (!db.open())
        throw DbError(QStringLiteral("cannot open ") + path + QStringLiteral(": ") + db.lastError().text());
    db.driver()->setProperty(OpeningProperty, ++g_openings);
    try {
        QSqlQuery id = Exec(db, QStringLiteral("PRAGMA application_id"));
        if (!Next(id) || id.value(0).toInt() != ApplicationId)
            throw DbError(QStringLiteral("not a database of this program: ") + path);
        QSqlQuery tables = Exec(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND "
                                                   "name IN ('setting','droos','clase')"));
        if (!Next(tables) || tables.value(0).toInt() != 3)
            throw DbError(QStringLiteral("the database lacks its fixed tables: ") + path);
        // The journal mode changes only with no statement of this connection still open.
        id.finish();
        tables.finish();
        leaveWriteAheadLog(db);
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
    g_inTransaction.insert(m_db.connectionName());
}

Transaction::~Transaction() {
    if (m_open) {
        g_inTransaction.remove(m_db.connectionName());
        QSqlQuery rollback(m_db);
        rollback.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::Commit() {
    // A commit that meets readers waits for them, still holding the changes.
    Exec(m_db, QStringLiteral("COMMIT"));
    m_open = false;
    g_inTransaction.remove(m_db.connectionName());
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
