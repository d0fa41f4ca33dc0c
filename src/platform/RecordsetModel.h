#pragma once
// A grid's view of a recordset: one row per record in the recordset's order, chosen fields as columns.
#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>
#include <functional>

#include "platform/Recordset.h"

struct GridColumn {
    QString caption;
    QString field;
    // How the column shows its values; none: as the boxes show them.
    std::function<QString(const QVariant &)> format = {};
};

class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // No columns: every field under its own name.
    explicit RecordsetModel(Recordset *recordset, QVector<GridColumn> columns = {}, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QVector<GridColumn> &columns() const { return m_columns; }

private:
    int fieldColumn(int column) const;
    QPointer<Recordset> m_recordset;
    QVector<GridColumn> m_columns;
    bool m_allFields;
};
