#include "platform/BusyMessages.h"

#include "platform/MsgBox.h"

namespace Db {

const QString KeepWaitingQuestion =
    QStringLiteral(" پايگاه داده در حال استفاده کامپيوتر ديگري است . آيا منتظر آزاد شدن آن مي مانيد ؟ ");
const QString BusyMessage =
    QStringLiteral(" پايگاه داده در حال استفاده کامپيوتر ديگري است . لطفا لحظاتي بعد دوباره سعي کنيد ");

bool AskKeepWaiting() { return MsgBox(KeepWaitingQuestion, Msg::vbYesNo + Msg::vbExclamation, QString()) == Msg::vbYes; }

void TellBusy() { MsgBox(BusyMessage, Msg::vbExclamation, QString()); }

bool TellIfBusy(const DbError &error) {
    if (!IsBusyFailure(error))
        return false;
    TellBusy();
    return true;
}
} // namespace Db
