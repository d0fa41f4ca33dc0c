#pragma once
// The moves of the windows' tool bars and step buttons: previous and next stay on the first and
// the last row instead of passing the ends.
class Recordset;

namespace RecordMoves {
void PreviousOrFirst(Recordset &rs);
void NextOrLast(Recordset &rs);
// Tool-bar buttons 1 first, 2 previous, 3 next, 4 last; any other does nothing.
void ByButton(Recordset &rs, int button);
} // namespace RecordMoves
