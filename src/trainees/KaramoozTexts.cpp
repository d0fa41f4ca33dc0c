#include "trainees/KaramoozTexts.h"

#include <QDateTime>
#include <QVariant>

#include "platform/Bindings.h"
#include "shell/PersianCalendar.h"

namespace KaramoozTexts {

QString RegistrationDateText(const QVariant &value) {
    QDate date;
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        date = value.toDate();
    else
        date = QDate::fromString(value.toString().left(10), Qt::ISODate);
    if (const auto text = date.isValid() ? Module1::PersianDate(date, 0) : std::nullopt)
        return *text;
    return Bindings::DisplayText(value);
}

QVector<GridColumn> TraineeGridColumns() {
    QVector<GridColumn> columns = TraineeColumns;
    for (GridColumn &column : columns)
        if (column.field.compare(QStringLiteral("Sabtdate"), Qt::CaseInsensitive) == 0)
            column.format = RegistrationDateText;
    return columns;
}

} // namespace KaramoozTexts
