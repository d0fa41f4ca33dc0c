#pragma once
// Where a widget draws: for looking at text the way a user sees it, clipped or whole, left or right.
#include <QRect>

class QLineEdit;
class QTableView;
class QWidget;

struct InkSpan {
    int left = -1, right = -1; // columns of the area, -1 when nothing is drawn
    int width = 0;             // of the area
    bool Any() const { return right >= 0; }
};

// The columns of the widget's area that differ from its background (the area's commonest colour);
// a column drawn from top to bottom (a grid line, a frame) does not count.
InkSpan Ink(QWidget *widget, const QRect &area);
// The text inside a box's frame.
InkSpan Ink(QLineEdit *box);
// The text of one cell of a grid, as the grid shows it now.
InkSpan CellInk(QTableView *grid, int row, int column);
