#include "platform/Guard.h"

#include <QtGlobal>
#include <exception>

#include "platform/BusyMessages.h"
#include "platform/Db.h"
#include "platform/MsgBox.h"

namespace Guard {

namespace {
const QString DatabaseFailed = QStringLiteral(" کار خواسته شده به علت خطاي پايگاه داده انجام نشد ");
const QString ProgramFailed = QStringLiteral(" کار خواسته شده به علت خطاي داخلي برنامه انجام نشد ");

void tell(const QString &text, const char *detail) noexcept {
    try {
        qCritical("a handler let a failure through: %s", detail);
        MsgBox(text, Msg::vbCritical, QString());
    } catch (...) {
        // Telling failed as well; the program still runs on.
    }
}
} // namespace

bool Run(const std::function<void()> &work) noexcept {
    try {
        work();
        return true;
    } catch (const Db::DbError &error) {
        if (Db::IsBusyFailure(error)) {
            try {
                Db::TellBusy();
            } catch (...) {
            }
        } else {
            tell(DatabaseFailed, error.what());
        }
    } catch (const std::exception &error) {
        tell(ProgramFailed, error.what());
    } catch (...) {
        tell(ProgramFailed, "an unknown exception");
    }
    return false;
}

} // namespace Guard
