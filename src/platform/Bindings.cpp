#include "platform/Bindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTextEdit>
#include <functional>

#include "platform/DataControl.h"
#include "platform/Guard.h"

namespace Bindings {

QString DisplayText(const QVariant &value) {
    if (value.isNull() || !value.isValid())
        return QString();
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

namespace {

// Lives as long as the bound widget; follows the data control's current row.
class Binder : public QObject {
public:
    Binder(QWidget *widget, DataControl *data, QString field, std::function<void(const QVariant &)> show)
        : QObject(widget), m_data(data), m_field(std::move(field)), m_show(std::move(show)) {
        Recordset *rs = &data->Recordset();
        connect(rs, &Recordset::currentChanged, this, [this] { refresh(); });
        connect(rs, &Recordset::reset, this, [this] { refresh(); });
        connect(rs, &Recordset::rowChanged, this, [this](int) { refresh(); });
        refresh();
    }

    // The control's value changed, whoever changed it: the value goes into the current row.
    void write(const QVariant &value) {
        if (m_showing || !m_data)
            return;
        Recordset &rs = m_data->Recordset();
        if (!rs.IsOpen() || rs.IsBOF() || rs.IsEOF() || rs.FieldIndex(m_field) < 0)
            return;
        m_writing = true;
        rs.SetValue(m_field, value);
        m_writing = false;
    }

private:
    void refresh() {
        if (m_writing || !m_data)
            return;
        Recordset &rs = m_data->Recordset();
        QVariant value;
        if (rs.IsOpen() && !rs.IsBOF() && !rs.IsEOF() && rs.FieldIndex(m_field) >= 0) {
            try {
                value = rs.Value(m_field);
            } catch (...) {
            }
        }
        m_showing = true;
        m_show(value);
        m_showing = false;
    }

    QPointer<DataControl> m_data;
    QString m_field;
    std::function<void(const QVariant &)> m_show;
    bool m_writing = false;
    bool m_showing = false;
};

} // namespace

void Bind(QLineEdit *box, DataControl *data, const QString &field) {
    auto *binder = new Binder(box, data, field, [box](const QVariant &v) { box->setText(DisplayText(v)); });
    // Keys, pastes and input methods are told as edits, but an assistive tool sets the text as the
    // program does: a box that stored only edits would lose such text at the row's next refresh.
    Guard::Connect(box, &QLineEdit::textChanged, binder, [binder](const QString &text) { binder->write(text); });
}

void Bind(QPlainTextEdit *box, DataControl *data, const QString &field) {
    auto *binder = new Binder(box, data, field, [box](const QVariant &v) {
        const QSignalBlocker block(box);
        box->setPlainText(DisplayText(v));
    });
    Guard::Connect(box, &QPlainTextEdit::textChanged, binder,
                     [binder, box] { binder->write(box->toPlainText()); });
}

void Bind(QTextEdit *box, DataControl *data, const QString &field) {
    auto *binder = new Binder(box, data, field, [box](const QVariant &v) {
        const QSignalBlocker block(box);
        box->setPlainText(DisplayText(v));
    });
    Guard::Connect(box, &QTextEdit::textChanged, binder, [binder, box] { binder->write(box->toPlainText()); });
}

void Bind(QLabel *label, DataControl *data, const QString &field) {
    new Binder(label, data, field, [label](const QVariant &v) { label->setText(DisplayText(v)); });
}

void Bind(QComboBox *combo, DataControl *data, const QString &field) {
    auto *binder = new Binder(combo, data, field, [combo](const QVariant &v) {
        const QSignalBlocker block(combo);
        const QString text = DisplayText(v);
        const int at = combo->findText(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(-1);
    });
    Guard::Connect(combo, &QComboBox::currentTextChanged, binder,
                     [binder](const QString &text) { binder->write(text); });
}

void Bind(QCheckBox *check, DataControl *data, const QString &field) {
    auto *binder = new Binder(check, data, field, [check](const QVariant &v) {
        const QSignalBlocker block(check);
        check->setChecked(!v.isNull() && v.toInt() != 0);
    });
    Guard::Connect(check, &QCheckBox::toggled, binder, [binder](bool on) { binder->write(on ? -1 : 0); });
}

RecordsetModel *BindGrid(QTableView *grid, DataControl *data, QVector<GridColumn> columns) {
    Recordset *rs = &data->Recordset();
    auto *model = new RecordsetModel(rs, std::move(columns), grid);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto syncing = std::make_shared<bool>(false);
    auto showCurrent = [grid, rs, model, syncing] {
        if (*syncing)
            return;
        *syncing = true;
        const int pos = rs->AbsolutePosition();
        if (pos >= 1 && pos <= model->rowCount())
            grid->setCurrentIndex(model->index(pos - 1, std::max(0, grid->currentIndex().column())));
        else {
            // No row marked either, and none that the grid would make current when it takes the focus.
            grid->setCurrentIndex(QModelIndex());
            grid->clearSelection();
        }
        *syncing = false;
    };
    QObject::connect(rs, &Recordset::currentChanged, grid, showCurrent);
    Guard::Connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                   [rs, syncing, showCurrent](const QModelIndex &current) {
                       if (*syncing || !current.isValid())
                           return;
                       *syncing = true;
                       try {
                           rs->SetAbsolutePosition(current.row() + 1);
                       } catch (...) {
                           // The row that could not be left stays current, in the grid as well.
                           *syncing = false;
                           showCurrent();
                           throw;
                       }
                       *syncing = false;
                   });
    showCurrent();
    return model;
}

} // namespace Bindings
