#include "platform/Recordset.h"

#include <QCollator>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThreadPool>
#include <algorithm>
#include <memory>

#include "platform/Db.h"
#include "platform/Schema.h"

namespace {
const QString RowIdColumn = QStringLiteral("__rowid__");

// The single table of a plain "SELECT ... FROM table ..." query; empty for anything else.
QString singleTable(const QString &sql) {
    static const QRegularExpression plain(
        QStringLiteral(R"re(^\s*SELECT\s+(?!DISTINCT\b)(.*?)\bFROM\s+("(?:[^"]|"")+"|\[[^\]]+\]|[^\s,;()"]+)\s*(.*)$)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression joined(QStringLiteral(R"(\b(JOIN|UNION|GROUP\s+BY|INTERSECT|EXCEPT)\b|^\s*,)"),
                                           QRegularExpression::CaseInsensitiveOption);
    // A row made of aggregates (a count) is no row of the table.
    static const QRegularExpression aggregate(QStringLiteral(R"(\b(count|sum|min|max|avg|total|group_concat)\s*\()"),
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = plain.match(sql);
    if (!m.hasMatch() || aggregate.match(m.captured(1)).hasMatch() || joined.match(m.captured(3)).hasMatch())
        return QString();
    QString name = m.captured(2);
    if (name.startsWith(u'"'))
        name = name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    else if (name.startsWith(u'['))
        name = name.mid(1, name.size() - 2);
    return name;
}

// A whole number that 64 bits hold exactly.
bool isWhole(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
        return true;
    default:
        return false;
    }
}

bool isNumber(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return isWhole(v);
    }
}

// The same values of the same types: a query bound with them reads the same rows.
bool sameValues(const QVariantList &a, const QVariantList &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].typeId() != b[i].typeId() || a[i].isNull() != b[i].isNull() || a[i] != b[i])
            return false;
    return true;
}

bool numberOf(const QVariant &v, double &out) {
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool) {
        out = v.toBool() ? -1 : 0;
        return true;
    }
    if (isNumber(v)) {
        out = v.toDouble();
        return true;
    }
    bool ok = false;
    out = v.toString().trimmed().toDouble(&ok);
    return ok;
}

// Yes/No values go to the file as -1 and 0.
QVariant stored(const QVariant &v) {
    if (v.typeId() == QMetaType::Bool)
        return Db::YesNo(v.toBool());
    return v;
}

int compareValues(const QVariant &a, const QVariant &b) {
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    double x, y;
    if ((isNumber(a) || isNumber(b)) && numberOf(a, x) && numberOf(b, y))
        return x < y ? -1 : (x > y ? 1 : 0);
    // Texts sort in the order of the Persian alphabet (character codes would put ک and گ after م).
    static const QCollator persian = [] {
        QCollator c(QLocale(QLocale::Persian, QLocale::Iran));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return persian.compare(a.toString(), b.toString());
}
} // namespace

Recordset::Recordset(QObject *parent) : QObject(parent) {}

bool Recordset::ValuesEqual(const QVariant &a, const QVariant &b, Qt::CaseSensitivity cs) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    double x, y;
    if ((isNumber(a) || isNumber(b)) && numberOf(a, x) && numberOf(b, y))
        return x == y;
    if (isNumber(a) || isNumber(b))
        return false;
    return QString::compare(a.toString(), b.toString(), cs) == 0;
}

void Recordset::Open(const QSqlDatabase &db, const QString &sql, const QVariantList &values) {
    const auto isSource = [&](const QString &connection, const QString &text, const QVariantList &bound) {
        return db.connectionName() == connection && sql == text && sameValues(values, bound);
    };
    const bool sameSource = m_open && isSource(m_db.connectionName(), m_sql, m_values);
    bool mayKeep = sameSource;
    emit aboutToReset();
    // The rows read last before these are kept beside them while they are the file's: a list that goes
    // back to them (a search undone, the whole class again) reads nothing.
    std::unique_ptr<Snapshot> before;
    if (!mayKeep && m_open && m_readStamp) {
        before.reset(new Snapshot{m_db.connectionName(), m_sql, m_values, m_readStamp, m_table, m_writable,
                                  m_fields, std::move(m_rows)});
        // Nothing may look at them through the view meanwhile: a wait for the file paints the grid.
        m_rows.clear();
        m_view.clear();
    }
    if (!mayKeep && m_previous && isSource(m_previous->connection, m_previous->sql, m_previous->values)) {
        m_readStamp = m_previous->stamp;
        m_table = m_previous->table;
        m_writable = m_previous->writable;
        m_fields = m_previous->fields;
        m_rows = std::move(m_previous->rows);
        m_view.clear();
        m_open = true;
        m_dirty.clear();
        mayKeep = true;
    }
    // Another source: what was open before takes the place of what was kept.
    if (!sameSource) {
        if (m_previous)
            releaseAside(m_previous->rows);
        m_previous = std::move(before);
    }
    m_db = db;
    m_sql = sql;
    m_values = values;
    m_sort.clear();
    m_filterField.clear();
    m_filterValue = QVariant();
    reload(mayKeep);
}

// Runs the query; a failure leaves the recordset closed and empty.
void Recordset::reload(bool mayKeep) {
    try {
        // Taken before the read: a change that comes during it makes the next stamp differ.
        const std::optional<Db::DataStamp> stamp = Db::Stamp(m_db);
        if (mayKeep && stamp && m_readStamp == stamp) {
            m_deletedCurrent = false;
            rebuildView();
            m_pos = 0;
        } else {
            m_readStamp.reset();
            load();
            m_readStamp = stamp;
        }
    } catch (...) {
        m_readStamp.reset();
        m_open = false;
        m_rows.clear();
        m_view.clear();
        m_fields.clear();
        m_pos = 0;
        emit reset();
        throw;
    }
    emit reset();
    emit currentChanged(m_pos);
}

// Freeing a large snapshot value by value takes as long as reading a good part of it again: it is
// done on a worker thread, beside the window's work. Only implicitly shared values (texts, byte
// arrays) and plain numbers are in it, which any thread may release.
void Recordset::releaseAside(std::vector<Row> &rows) {
    constexpr size_t AsideFrom = 10000;
    if (rows.size() < AsideFrom) {
        rows.clear();
        return;
    }
    auto held = std::make_shared<std::vector<Row>>(std::move(rows));
    rows.clear();
    QThreadPool::globalInstance()->start([held] { held->clear(); });
}

void Recordset::Close() {
    emit aboutToReset();
    m_readStamp.reset();
    if (m_previous)
        releaseAside(m_previous->rows);
    m_previous.reset();
    m_open = false;
    m_rows.clear();
    m_view.clear();
    m_fields.clear();
    m_dirty.clear();
    m_pos = 0;
    // A closed recordset lets go of its connection, so the connection can close cleanly.
    m_db = QSqlDatabase();
    emit reset();
}

void Recordset::load() {
    m_table = singleTable(m_sql);
    m_writable = false;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!m_table.isEmpty()) {
        // The rowid names each row for the writes that go back to the table. A file held by another
        // workstation is waited for here like anywhere else: it never makes the rows read-only.
        static const QRegularExpression select(QStringLiteral(R"(^\s*SELECT\s+)"),
                                               QRegularExpression::CaseInsensitiveOption);
        QString withRowId = m_sql;
        withRowId.replace(select, QStringLiteral("SELECT rowid AS ") + RowIdColumn + QStringLiteral(", "));
        m_writable = Db::Run(m_db, query, withRowId, m_values).type() == QSqlError::NoError;
    }
    // Rows without a rowid of their own (a view, an expression) are only read.
    if (!m_writable) {
        query = QSqlQuery(m_db);
        query.setForwardOnly(true);
        const QSqlError error = Db::Run(m_db, query, m_sql, m_values);
        if (error.type() != QSqlError::NoError)
            Db::Fail(error, m_sql);
    }
    const QSqlRecord record = query.record();
    const int first = m_writable ? 1 : 0;
    m_fields.clear();
    for (int i = first; i < record.count(); ++i)
        m_fields << record.fieldName(i);
    m_rows.clear();
    while (Db::Next(query)) {
        Row row;
        row.values.reserve(m_fields.size());
        for (int i = first; i < record.count(); ++i)
            row.values << query.value(i);
        row.rowid = m_writable ? query.value(0).toLongLong() : -1;
        m_rows.push_back(std::move(row));
    }
    m_open = true;
    m_dirty.clear();
    m_deletedCurrent = false;
    rebuildView();
    m_pos = 0;
}

void Recordset::rebuildView() {
    m_view.clear();
    const int filterColumn = m_filterField.isEmpty() ? -1 : FieldIndex(m_filterField);
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (filterColumn < 0 || ValuesEqual(m_rows[i].values[filterColumn], m_filterValue, m_filterCase))
            m_view.push_back(i);
    if (m_sort.isEmpty())
        return;
    std::vector<std::pair<int, bool>> keys;
    for (const QString &part : m_sort.split(u',', Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(u' ');
        const int column = requireField(words.value(0));
        keys.emplace_back(column, words.value(1).compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0);
    }
    sortView(keys);
}

void Recordset::sortView(const std::vector<std::pair<int, bool>> &keys) {
    // A column of whole numbers (and nulls) compares them as they are, read once.
    struct Key {
        int column;
        bool desc;
        std::vector<qint64> whole; // by row; empty when the column holds anything else
        std::vector<bool> null;
    };
    std::vector<Key> sortKeys;
    for (const auto &[column, desc] : keys) {
        Key key{column, desc, {}, {}};
        const bool allWhole = std::all_of(m_view.begin(), m_view.end(), [&](int row) {
            const QVariant &v = m_rows[row].values[column];
            return v.isNull() || isWhole(v);
        });
        if (allWhole) {
            key.whole.resize(m_rows.size());
            key.null.resize(m_rows.size());
            for (int row : m_view) {
                const QVariant &v = m_rows[row].values[column];
                key.null[row] = v.isNull();
                key.whole[row] = v.isNull() ? 0 : v.toLongLong();
            }
        }
        sortKeys.push_back(std::move(key));
    }
    const auto before = [&](int a, int b) {
        for (const Key &key : sortKeys) {
            int c;
            if (!key.whole.empty())
                c = key.null[a] != key.null[b] ? (key.null[a] ? -1 : 1)
                                               : (key.whole[a] < key.whole[b] ? -1 : (key.whole[a] > key.whole[b] ? 1 : 0));
            else
                c = compareValues(m_rows[a].values[key.column], m_rows[b].values[key.column]);
            if (c != 0)
                return key.desc ? c > 0 : c < 0;
        }
        return false;
    };
    // Rows that come in the sort's order already stay as they are.
    if (!std::is_sorted(m_view.begin(), m_view.end(), before))
        std::stable_sort(m_view.begin(), m_view.end(), before);
}

void Recordset::Requery() {
    if (m_sql.isEmpty())
        return;
    emit aboutToReset();
    reload(m_open);
}

bool Recordset::isNewCurrent() const {
    return !IsBOF() && !IsEOF() && !m_deletedCurrent && m_rows[m_view[m_pos]].isNew;
}

void Recordset::flushPending() {
    if (IsDirty())
        Update();
}

void Recordset::setPos(int pos) {
    flushPending();
    const int n = int(m_view.size());
    m_pos = std::clamp(pos, -1, n);
    m_deletedCurrent = false;
    emit currentChanged(m_pos);
}

void Recordset::MoveFirst() { setPos(0); }
void Recordset::MoveLast() { setPos(int(m_view.size()) - 1); }
void Recordset::MoveNext() {
    // After a Delete the position already stands on the row that followed.
    if (m_deletedCurrent)
        setPos(m_pos);
    else
        setPos(m_pos + 1);
}
void Recordset::MovePrevious() { setPos(m_pos - 1); }
void Recordset::Move(int rows) {
    if (m_deletedCurrent && rows > 0)
        --rows;
    setPos(m_pos + rows);
}

int Recordset::AbsolutePosition() const {
    if (m_view.empty())
        return adPosUnknown;
    if (m_pos < 0)
        return adPosBOF;
    if (m_pos >= int(m_view.size()))
        return adPosEOF;
    return m_pos + 1;
}

void Recordset::SetAbsolutePosition(int position) {
    if (position < 1 || position > int(m_view.size()))
        throw Db::DbError(QStringLiteral("no row at position %1").arg(position));
    setPos(position - 1);
}

int Recordset::FieldIndex(const QString &field) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Recordset::requireCurrent() const {
    if (!m_open)
        throw Db::DbError(QStringLiteral("the recordset is closed"));
    if (IsBOF() || IsEOF() || m_deletedCurrent)
        throw Db::DbError(QStringLiteral("there is no current row"));
}

Recordset::Row &Recordset::current() {
    requireCurrent();
    return m_rows[m_view[m_pos]];
}

const Recordset::Row &Recordset::current() const {
    requireCurrent();
    return m_rows[m_view[m_pos]];
}

int Recordset::requireField(const QString &field) const {
    const int column = FieldIndex(field);
    if (column >= 0)
        return column;
    if (Schema::HasField(m_table, field))
        throw MissingFieldError(QStringLiteral("the rows of ") + m_sql + QStringLiteral(" lack the field ") + field);
    throw FieldNameError((QStringLiteral("no table of the program has a field named ") + field).toStdString());
}

void Recordset::RequireFields(const QStringList &fields) const {
    for (const QString &field : fields)
        requireField(field);
}

QVariant Recordset::Value(const QString &field) const {
    const int column = requireField(field);
    return current().values[column];
}

void Recordset::SetValue(const QString &field, const QVariant &value) {
    const int column = requireField(field);
    current().values[column] = value;
    m_readStamp.reset();
    m_dirty.insert(column);
    emit rowChanged(m_pos);
}

QVariant Recordset::ValueAt(int row, int column) const {
    if (row < 0 || row >= int(m_view.size()) || column < 0 || column >= m_fields.size())
        return QVariant();
    return m_rows[m_view[row]].values[column];
}

void Recordset::AddNew() {
    flushPending();
    if (!m_open)
        throw Db::DbError(QStringLiteral("the recordset is closed"));
    m_readStamp.reset();
    Row row;
    row.values.resize(m_fields.size());
    row.isNew = true;
    m_rows.push_back(std::move(row));
    const int at = int(m_view.size());
    emit aboutToInsert(at);
    m_view.push_back(int(m_rows.size()) - 1);
    emit inserted(at);
    m_pos = at;
    m_deletedCurrent = false;
    m_dirty.clear();
    emit currentChanged(m_pos);
}

void Recordset::readBack(Row &row) {
    QSqlQuery query = Db::Exec(m_db, QStringLiteral("SELECT * FROM ") + Db::QuoteIdent(m_table) +
                                         QStringLiteral(" WHERE rowid=?"),
                               {row.rowid});
    if (!Db::Next(query))
        return;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        const int column = FieldIndex(record.fieldName(i));
        if (column >= 0)
            row.values[column] = query.value(i);
    }
}

void Recordset::Update() {
    Row &row = current();
    if (!row.isNew && m_dirty.empty())
        return;
    if (!m_writable)
        throw Db::DbError(QStringLiteral("these rows cannot be changed: ") + m_sql);
    QStringList names;
    QVariantList values;
    for (int column : m_dirty) {
        names << Db::QuoteIdent(m_fields[column]);
        values << stored(row.values[column]);
    }
    const QString table = Db::QuoteIdent(m_table);
    if (row.isNew) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + names.join(u',') +
                  QStringLiteral(") VALUES (") + marks.join(u',') + u')';
        }
        QSqlQuery query = Db::Exec(m_db, sql, values);
        row.rowid = query.lastInsertId().toLongLong();
        row.isNew = false;
        // The row is stored from here on: failing to read its defaults back must not turn the save
        // into a failure, or the caller would store it a second time. The row then shows what was
        // written until the next reading.
        try {
            readBack(row);
        } catch (const Db::DbError &) {
        }
    } else {
        QStringList sets;
        for (const QString &name : names)
            sets << name + QStringLiteral("=?");
        values << row.rowid;
        Db::Exec(m_db, QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(u',') +
                           QStringLiteral(" WHERE rowid=?"),
                 values);
    }
    m_dirty.clear();
    emit rowChanged(m_pos);
}

void Recordset::CancelUpdate() {
    if (IsBOF() || IsEOF() || m_deletedCurrent)
        return;
    if (isNewCurrent()) {
        const int at = m_pos;
        // Abandoned before anything sees the removal: a bound grid moves its current row away
        // from the row it loses, and that move must not write the row.
        current().isNew = false;
        m_dirty.clear();
        emit aboutToRemove(at);
        m_view.erase(m_view.begin() + at);
        emit removed(at);
        m_dirty.clear();
        m_pos = std::min(at, int(m_view.size()));
        emit currentChanged(m_pos);
        return;
    }
    if (!m_dirty.empty()) {
        readBack(current());
        m_dirty.clear();
        emit rowChanged(m_pos);
    }
}

void Recordset::Delete() {
    Row &row = current();
    m_readStamp.reset();
    if (!row.isNew) {
        if (!m_writable)
            throw Db::DbError(QStringLiteral("these rows cannot be changed: ") + m_sql);
        Db::Exec(m_db, QStringLiteral("DELETE FROM ") + Db::QuoteIdent(m_table) + QStringLiteral(" WHERE rowid=?"),
                 {row.rowid});
    }
    const int at = m_pos;
    emit aboutToRemove(at);
    m_view.erase(m_view.begin() + at);
    emit removed(at);
    m_dirty.clear();
    // The deleted row stays current until the next move, which lands on the row that followed it.
    m_deletedCurrent = true;
    m_pos = at;
    emit currentChanged(m_pos);
}

void Recordset::Sort(const QString &spec) {
    flushPending();
    emit aboutToReset();
    const QString old = m_sort;
    m_sort = spec.trimmed();
    try {
        rebuildView();
    } catch (...) {
        m_sort = old;
        rebuildView();
        emit reset();
        throw;
    }
    m_pos = 0;
    m_deletedCurrent = false;
    emit reset();
    emit currentChanged(m_pos);
}

void Recordset::SetFilter(const QString &field, const QVariant &value, Qt::CaseSensitivity cs) {
    requireField(field);
    flushPending();
    emit aboutToReset();
    m_filterField = field;
    m_filterValue = value;
    m_filterCase = cs;
    rebuildView();
    m_pos = 0;
    m_deletedCurrent = false;
    emit reset();
    emit currentChanged(m_pos);
}

void Recordset::ClearFilter() {
    flushPending();
    emit aboutToReset();
    m_filterField.clear();
    m_filterValue = QVariant();
    rebuildView();
    m_pos = 0;
    m_deletedCurrent = false;
    emit reset();
    emit currentChanged(m_pos);
}

bool Recordset::Find(const QString &field, const QVariant &value, bool skipCurrent, Qt::CaseSensitivity cs) {
    const int column = requireField(field);
    flushPending();
    int start = std::max(m_pos, 0);
    if (skipCurrent && !m_deletedCurrent)
        ++start;
    // A whole number sought among whole numbers compares them as they are.
    const bool whole = isWhole(value);
    const qint64 sought = whole ? value.toLongLong() : 0;
    for (int i = start; i < int(m_view.size()); ++i) {
        const QVariant &held = m_rows[m_view[i]].values[column];
        if (whole && isWhole(held) ? held.toLongLong() == sought : ValuesEqual(held, value, cs)) {
            setPos(i);
            return true;
        }
    }
    setPos(int(m_view.size()));
    return false;
}
