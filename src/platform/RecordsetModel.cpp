#include "platform/RecordsetModel.h"

#include "platform/Bindings.h"

RecordsetModel::RecordsetModel(Recordset *recordset, QVector<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_recordset(recordset), m_columns(std::move(columns)),
      m_allFields(m_columns.isEmpty()) {
    connect(recordset, &Recordset::aboutToReset, this, [this] { beginResetModel(); });
    connect(recordset, &Recordset::reset, this, [this] { endResetModel(); });
    connect(recordset, &Recordset::aboutToInsert, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(recordset, &Recordset::inserted, this, [this](int) { endInsertRows(); });
    connect(recordset, &Recordset::aboutToRemove, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(recordset, &Recordset::removed, this, [this](int) { endRemoveRows(); });
    connect(recordset, &Recordset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int RecordsetModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() || !m_recordset || !m_recordset->IsOpen())
        return 0;
    return m_recordset->RecordCount();
}

int RecordsetModel::columnCount(const QModelIndex &parent) const {
    if (parent.isValid())
        return 0;
    if (m_allFields)
        return m_recordset ? m_recordset->FieldCount() : 0;
    return m_columns.size();
}

int RecordsetModel::fieldColumn(int column) const {
    if (!m_recordset)
        return -1;
    return m_allFields ? column : m_recordset->FieldIndex(m_columns.value(column).field);
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || !m_recordset || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const QVariant value = m_recordset->ValueAt(index.row(), fieldColumn(index.column()));
    // Numbers read as the program writes them everywhere else (Latin digits), not in the locale's digits.
    if (role != Qt::DisplayRole)
        return value;
    if (!m_allFields && m_columns.at(index.column()).format)
        return m_columns.at(index.column()).format(value);
    return Bindings::DisplayText(value);
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (m_allFields)
        return m_recordset ? m_recordset->FieldName(section) : QVariant();
    return m_columns.value(section).caption;
}
