#pragma once
// The print of the trainee list: the shared print recordset opened on the list's current query
// (the whole class, or what a search left), then the report shown over it.
class DataControl;

namespace ListPrint {
// Closes the previous print recordset, opens the new one on the list's record source and bound
// values over the shared connection (opened here when closed) and shows the report modally.
// Throws Db::DbError when the rows cannot be read; nothing is shown then.
void HandOver(const DataControl &list);
} // namespace ListPrint
