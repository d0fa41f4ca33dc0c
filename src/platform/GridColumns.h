#pragma once
// Column widths of a grid over many rows.
class QTableView;

namespace GridColumns {
// Each column is at least `least` wide and widens to what the rows in view hold, also as other rows
// scroll into view or the grid grows: a cell shows its text whole, while a list of any length costs
// no more than the rows on screen. Columns never narrow, so that they do not jump while scrolling.
void FitRowsInView(QTableView *grid, int least);
} // namespace GridColumns
