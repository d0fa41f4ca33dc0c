#pragma once
// The shared database: an SQLite file on the server's share, reached through the connection string.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <stdexcept>

namespace Db {

// Every database failure the windows see.
class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit DbError(const QString &what) : std::runtime_error(what.toStdString()) {}
};

// Another workstation holds the file, and the user chose not to wait any longer. The file is
// neither broken nor missing: the same work may well succeed a moment later.
class BusyError : public DbError {
public:
    using DbError::DbError;
};

// The file is damaged or is no SQLite database at all. Waiting does not help here, so it is never
// told as a file in use.
class DamagedError : public DbError {
public:
    using DbError::DbError;
};

// Marks our files: a file without it is not a database of this program.
inline constexpr int ApplicationId = 0x544C4D4F;
// Several workstations share the file: after waiting this long for another's lock, the user is
// asked whether to wait on.
inline constexpr int BusyTimeoutMs = 10000;
// Inside SQLite a lock is waited for in slices this long; the event loop runs between them.
inline constexpr int BusySliceMs = 50;
// How long a wait goes on before the user is asked (BusyTimeoutMs unless a test sets it).
void SetBusyPatience(int ms);

// Asked once a wait has outlasted the patience: true to wait on, false to give the work up (BusyError).
// The program installs a question to the user; with none installed the wait goes on.
void SetKeepWaitingQuestion(std::function<bool()> ask);

// Called as each wait for another workstation's lock begins (tests hold a lock until it is waited for).
void SetWaitObserver(std::function<void()> observer);

// Whether a failure is another connection's lock on the file.
bool IsBusy(const QSqlError &error);
// Whether a failure is a wait for a busy file that the user gave up (a BusyError).
bool IsBusyFailure(const DbError &error);

// Throws the failure of sql as its kind: BusyError for another workstation's lock, DamagedError
// for a damaged or foreign file, DbError for anything else.
[[noreturn]] void Fail(const QSqlError &error, const QString &sql);

// Steps query to its next row; false after the last. A step that fails (a damaged page, a lost
// share) throws as Fail: a read that breaks off is a failed read, never a shorter list.
bool Next(QSqlQuery &query);

// Prepares query, binds values and runs it, waiting out other workstations' locks with the windows
// painting. Returns the failure when there is one that is not a lock; throws BusyError when the user
// stops waiting.
QSqlError Run(const QSqlDatabase &db, QSqlQuery &query, const QString &sql, const QVariantList &values = {});

// The longest wait for another workstation's lock so far in this process, in milliseconds.
qint64 LongestWaitMs();

// An SQL identifier in double quotes, inner quotes doubled: table names made from lesson names.
QString QuoteIdent(const QString &name);

// One attribute of a connection string ("Data Source", "Jet OLEDB:Database Password").
QString ConnectionAttribute(const QString &connectionString, const QString &attribute);

// The local path of the connection string's data source, or the empty text when it names none.
QString DataSourcePath(const QString &connectionString);

// The connection that the data controls of every window share, opened on first use.
// Throws DbError when the file is missing, is not SQLite, is not ours or lacks the fixed tables.
QSqlDatabase Database(const QString &connectionString);
// Closes every shared connection (the end of a test).
void CloseAll();

// Opens path as the program's database and checks that it is one; the connection is named name.
// A file left in the write-ahead-log mode is set back to the rollback journal when no one else has it open.
QSqlDatabase OpenChecked(const QString &path, const QString &name);

// What the rows of a read can be checked against: two equal stamps, each taken before a read on the
// same connection, mean that nothing in the file changed between them (no commit by another
// connection or workstation, no change and no schema change by this one), so the same query gives
// the same rows. Nothing inside a transaction, whose changes may yet be rolled back, nor on a
// connection that OpenChecked did not open. Throws BusyError when the user stops waiting.
struct DataStamp {
    qint64 opening = 0;
    qint64 dataVersion = 0;
    qint64 changes = 0;
    qint64 schemaVersion = 0;
    bool operator==(const DataStamp &) const = default;
};
std::optional<DataStamp> Stamp(const QSqlDatabase &db);

// Runs a statement with bound values, as Run; throws DbError (BusyError when the user stops waiting).
QSqlQuery Exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});

// Yes/No fields hold -1 and 0.
inline QVariant YesNo(bool value) { return value ? -1 : 0; }

// Writes that belong together: BEGIN IMMEDIATE takes the write lock at once (waiting out other
// workstations), and leaving the scope without Commit rolls everything back.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase &db);
    ~Transaction();
    void Commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

// The test connection that the start-up opens and closes once.
class Connection {
public:
    int CursorLocation = 2;
    QString ConnectionString;
    void Open(const QString &user = QString(), const QString &password = QString(), int options = -1);
    void Close();
    bool IsOpen() const { return m_open; }
    // The open connection, for recordsets that name it as their active connection.
    QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }

private:
    bool m_open = false;
    QString m_name;
};

} // namespace Db
