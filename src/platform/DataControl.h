#pragma once
// A window's data source: a connection string, a record source (SQL text) and the recordset that a
// refresh opens on them. Grids and bound boxes follow its recordset.
#include <QObject>
#include <QString>

#include "platform/Recordset.h"

class DataControl : public QObject {
    Q_OBJECT
public:
    enum CommandType { adCmdText = 1, adCmdTable = 2 };
    explicit DataControl(QObject *parent = nullptr);

    QString ConnectionString;
    int CommandType = adCmdText;
    QString RecordSource;
    // Values bound to the record source's "?" placeholders; they stay with it for every refresh.
    QVariantList RecordSourceValues;

    // Opens the recordset on the record source; throws Db::DbError (the window then has no rows).
    void Refresh();
    ::Recordset &Recordset() { return m_recordset; }
    // Opens on the number of rows of a table (and condition, an SQL text that may begin with WHERE)
    // and returns it: the database counts them, nothing is read in to be counted. Throws Db::DbError.
    int CountRows(const QString &table, const QString &condition = QString());

private:
    ::Recordset m_recordset;
};
