#include "platform/GridColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace GridColumns {
namespace {
// Rows looked at when the grid cannot tell which are in view yet (before it is laid out).
constexpr int RowsBeforeLayout = 40;

void fit(QTableView *grid) {
    QAbstractItemModel *model = grid->model();
    if (!model || model->rowCount() == 0)
        return;
    const int rows = model->rowCount();
    const int first = std::max(0, grid->rowAt(0));
    int last = grid->rowAt(grid->viewport()->height() - 1);
    if (last < 0)
        last = std::min(rows - 1, first + RowsBeforeLayout);
    QHeaderView *header = grid->horizontalHeader();
    const int gridLine = grid->showGrid() ? 1 : 0;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        int width = header->sectionSize(column);
        for (int row = first; row <= last; ++row)
            width = std::max(width, grid->sizeHintForIndex(model->index(row, column)).width() + gridLine);
        if (width > header->sectionSize(column))
            header->resizeSection(column, width);
    }
}

class Fitter : public QObject {
public:
    explicit Fitter(QTableView *grid) : QObject(grid), m_grid(grid) { grid->viewport()->installEventFilter(this); }

    // After the grid has taken in the change: the rows it now shows are known only then.
    void later() {
        if (m_queued)
            return;
        m_queued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_queued = false;
            fit(m_grid);
        }, Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            later();
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView *m_grid;
    bool m_queued = false;
};
} // namespace

void FitRowsInView(QTableView *grid, int least) {
    grid->horizontalHeader()->setDefaultSectionSize(least);
    auto *fitter = new Fitter(grid);
    QAbstractItemModel *model = grid->model();
    const auto later = [fitter] { fitter->later(); };
    QObject::connect(model, &QAbstractItemModel::modelReset, fitter, later);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, fitter, later);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, fitter, later);
    QObject::connect(model, &QAbstractItemModel::dataChanged, fitter, later);
    QObject::connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, fitter, later);
    fitter->later();
}

} // namespace GridColumns
