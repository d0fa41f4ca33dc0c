#include "platform/RecordMoves.h"

#include "platform/Recordset.h"

namespace RecordMoves {

void PreviousOrFirst(Recordset &rs) {
    rs.MovePrevious();
    if (rs.IsBOF())
        rs.MoveFirst();
}

void NextOrLast(Recordset &rs) {
    rs.MoveNext();
    if (rs.IsEOF())
        rs.MoveLast();
}

void ByButton(Recordset &rs, int button) {
    switch (button) {
    case 1:
        rs.MoveFirst();
        break;
    case 2:
        PreviousOrFirst(rs);
        break;
    case 3:
        NextOrLast(rs);
        break;
    case 4:
        rs.MoveLast();
        break;
    default:
        break;
    }
}

} // namespace RecordMoves
