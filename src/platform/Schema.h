#pragma once
// The tables that the program makes, as the recordset needs to know them: a field that one of them
// has but a table read from the file lacks is a fault of the file; a name that none of them has is
// a fault of the program. Defined with the tables themselves (shell/SharedDatabase.cpp).
#include <QString>

namespace Schema {
// Whether the program's table of that name has the field (any of its tables when table is empty).
bool HasField(const QString &table, const QString &field);
} // namespace Schema
