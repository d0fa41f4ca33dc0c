#include "platform/DataControl.h"

#include "platform/Db.h"

DataControl::DataControl(QObject *parent) : QObject(parent), m_recordset(this) {}

void DataControl::Refresh() {
    const QString sql = CommandType == adCmdTable
                            ? QStringLiteral("SELECT * FROM ") + Db::QuoteIdent(RecordSource)
                            : RecordSource;
    QSqlDatabase db;
    try {
        db = Db::Database(ConnectionString);
    } catch (...) {
        m_recordset.Close();
        throw;
    }
    m_recordset.Open(db, sql, CommandType == adCmdTable ? QVariantList() : RecordSourceValues);
}

int DataControl::CountRows(const QString &table, const QString &condition) {
    CommandType = adCmdText;
    RecordSource = QStringLiteral("SELECT count(*) AS RecordCount FROM ") + Db::QuoteIdent(table) + condition;
    RecordSourceValues.clear();
    Refresh();
    return m_recordset.Value(QStringLiteral("RecordCount")).toInt();
}
