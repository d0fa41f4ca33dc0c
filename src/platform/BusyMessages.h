#pragma once
// What the user is told of a file that another workstation holds.
#include <QString>

#include "platform/Db.h"

namespace Db {
extern const QString KeepWaitingQuestion;
extern const QString BusyMessage;

// Asks KeepWaitingQuestion: true when the user chose to wait on.
bool AskKeepWaiting();
// Shows BusyMessage: the work was given up because the file is in use, not because it is broken.
void TellBusy();
// TellBusy when error is a given-up wait (IsBusyFailure); false, with nothing shown, for any other
// failure, which the caller then tells in its own words.
bool TellIfBusy(const DbError &error);
} // namespace Db
