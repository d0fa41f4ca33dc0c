#include "trainees/KaramoozTexts.h"

#include <QDateTime>
#include <QVariant>

#include "platform/Bindings.h"
#include "platform/BusyMessages.h"
#include "platform/Db.h"
#include "platform/MsgBox.h"
#include "shell/PersianCalendar.h"

namespace KaramoozTexts {

QString RegistrationDateText(const QVariant &value) {
    QDate date;
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        date = value.toDate();
    else
        date = QDate::fromString(value.toString().left(10), QStringLiteral("yyyy-MM-dd"));
    // The calendar counts from 1 Farvardin 1332; an earlier day has no Persian text of its own there.
    if (date.isValid() && date >= QDate(1953, 3, 21))
        if (const auto text = Module1::PersianDate(date, 0))
            return *text;
    return Bindings::DisplayText(value);
}

void Warn(const QString &text) { MsgBox(text, Msg::vbExclamation, QString()); }

void TellFailure(const Db::DbError &error, const QString &text) {
    if (!Db::TellIfBusy(error))
        Warn(text);
}

QVector<GridColumn> TraineeGridColumns() {
    QVector<GridColumn> columns = TraineeColumns;
    for (GridColumn &column : columns)
        if (column.field.compare(QStringLiteral("Sabtdate"), Qt::CaseInsensitive) == 0)
            column.format = RegistrationDateText;
    return columns;
}

} // namespace KaramoozTexts
