#pragma once
// Controls bound to a field of a data control's current row: they show it when the row changes and,
// where the user can edit them, put the edited value into the row (written by the recordset's Update).
#include <QString>
#include <QVector>

#include "platform/RecordsetModel.h"

class DataControl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QTextEdit;

namespace Bindings {
void Bind(QLineEdit *box, DataControl *data, const QString &field);
void Bind(QPlainTextEdit *box, DataControl *data, const QString &field);
void Bind(QTextEdit *box, DataControl *data, const QString &field);
void Bind(QLabel *label, DataControl *data, const QString &field);
void Bind(QComboBox *combo, DataControl *data, const QString &field);
// A Yes/No field: ticked is -1, unticked 0.
void Bind(QCheckBox *check, DataControl *data, const QString &field);
// A grid over the data control's rows; its current row and the recordset's follow each other.
RecordsetModel *BindGrid(QTableView *grid, DataControl *data, QVector<GridColumn> columns = {});

// The text form of a field value as the boxes show it.
QString DisplayText(const QVariant &value);
} // namespace Bindings
