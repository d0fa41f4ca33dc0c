#pragma once
// A client-side snapshot of a query's rows with a current row, the way the windows walk, sort,
// filter and search their data. Changes to a row are written through to its table.
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include "platform/Db.h"

// The rows read lack a field that the program's table has: the file is not as the program made it.
// A failure of the database, which the window tells as its read or write that failed.
class MissingFieldError : public Db::DbError {
public:
    using DbError::DbError;
};

// A field name that none of the program's tables has: a fault of the program, not of the database.
class FieldNameError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class Recordset : public QObject {
    Q_OBJECT
public:
    // AbsolutePosition when there is no current row.
    enum Position { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

    explicit Recordset(QObject *parent = nullptr);

    // Runs a query and keeps all its rows; the first row is current. Throws Db::DbError.
    // values are bound to the query's "?" placeholders and kept with it for every Requery.
    void Open(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});
    void Close();
    bool IsOpen() const { return m_open; }
    // Runs the query again; the sort and filter stay. Rows read from a file that has not changed
    // since are the query's rows still, and are kept rather than read again.
    void Requery();
    const QString &Source() const { return m_sql; }
    const QVariantList &SourceValues() const { return m_values; }
    // The one table that a row's changes go to; empty when the rows cannot be written.
    const QString &TableName() const { return m_table; }
    // Whether AddNew, Update and Delete can reach the table (not for a view or an expression).
    bool IsWritable() const { return m_open && m_writable; }

    int RecordCount() const { return int(m_view.size()); }
    bool IsBOF() const { return m_view.empty() || m_pos < 0; }
    bool IsEOF() const { return m_view.empty() || m_pos >= int(m_view.size()); }
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(int rows);
    // 1-based ordinal of the current row, or a Position.
    int AbsolutePosition() const;
    void SetAbsolutePosition(int position);

    int FieldCount() const { return int(m_fields.size()); }
    QString FieldName(int column) const { return m_fields.value(column); }
    // Field names are matched without regard to case; -1 when there is no such field.
    int FieldIndex(const QString &field) const;
    // Throws MissingFieldError (or FieldNameError, for a name no table has) unless the rows hold every field.
    void RequireFields(const QStringList &fields) const;
    QVariant Value(const QString &field) const;
    void SetValue(const QString &field, const QVariant &value);
    // A value of any row of the current order (0-based), for grids.
    QVariant ValueAt(int row, int column) const;
    // True while the current row holds changes that Update has not written.
    bool IsDirty() const { return !m_dirty.empty() || isNewCurrent(); }

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();

    // "Field", "Field DESC", "A, B DESC"; the empty text restores the query's order.
    void Sort(const QString &spec);
    const QString &SortSpec() const { return m_sort; }
    // Only rows whose field equals value (numbers by value, texts without regard to case unless told).
    void SetFilter(const QString &field, const QVariant &value, Qt::CaseSensitivity cs = Qt::CaseInsensitive);
    void ClearFilter();
    // Searches forward from the current row (the first when skipCurrent is false and the row matches);
    // the match becomes current, else the position is EOF. Returns whether one was found.
    bool Find(const QString &field, const QVariant &value, bool skipCurrent = false,
              Qt::CaseSensitivity cs = Qt::CaseInsensitive);

    static bool ValuesEqual(const QVariant &a, const QVariant &b, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

signals:
    void aboutToReset();
    void reset();
    void aboutToInsert(int row);
    void inserted(int row);
    void aboutToRemove(int row);
    void removed(int row);
    void rowChanged(int row);
    void currentChanged(int row);

private:
    struct Row {
        QVector<QVariant> values;
        qint64 rowid = -1;
        bool isNew = false;
    };
    void load();
    // Empties rows; a large snapshot is freed on a worker thread.
    static void releaseAside(std::vector<Row> &rows);
    // mayKeep: the query and its values are the ones the rows were read with.
    void reload(bool mayKeep);
    // The sort's order of m_view; stable, nulls first.
    void sortView(const std::vector<std::pair<int, bool>> &keys);
    void rebuildView();
    void setPos(int pos);
    bool isNewCurrent() const;
    Row &current();
    const Row &current() const;
    void requireCurrent() const;
    void flushPending();
    void readBack(Row &row);
    // The column of a field; throws MissingFieldError or FieldNameError when the rows have none.
    int requireField(const QString &field) const;

    QSqlDatabase m_db;
    QString m_sql;
    QVariantList m_values;
    QString m_table;
    bool m_open = false;
    bool m_writable = false;
    QStringList m_fields;
    std::vector<Row> m_rows;
    std::vector<int> m_view;
    int m_pos = 0;
    bool m_deletedCurrent = false;
    std::set<int> m_dirty;
    // The file's state before the rows were read; none once the rows hold anything not read from it.
    std::optional<Db::DataStamp> m_readStamp;
    // The rows of the source opened before this one, as read (and their stamp).
    struct Snapshot {
        QString connection;
        QString sql;
        QVariantList values;
        std::optional<Db::DataStamp> stamp;
        QString table;
        bool writable;
        QStringList fields;
        std::vector<Row> rows;
    };
    std::unique_ptr<Snapshot> m_previous;
    QString m_sort;
    QString m_filterField;
    QVariant m_filterValue;
    Qt::CaseSensitivity m_filterCase = Qt::CaseInsensitive;
};
