#pragma once
// The trainee records' grid columns, as captions over bound fields, and their messages.
#include <QString>
#include <QVector>

#include "platform/RecordsetModel.h"

class QVariant;
namespace Db {
class DbError;
}

namespace KaramoozTexts {

// A registration date as the list shows and prints it: Persian yyyy/mm/dd; a value that names no
// date is shown as it is.
QString RegistrationDateText(const QVariant &value);

// The trainee columns, the registration date shown as a Persian date.
QVector<GridColumn> TraineeGridColumns();

inline const QVector<GridColumn> TraineeColumns = {
    {QStringLiteral("ID"), QStringLiteral("ID")},
    {QStringLiteral("Jensiyat"), QStringLiteral("Jensiyat")},
    {QStringLiteral("Name"), QStringLiteral("Name")},
    {QStringLiteral("Family"), QStringLiteral("Family")},
    {QStringLiteral("FName"), QStringLiteral("clase")},
    {QStringLiteral("ShSh"), QStringLiteral("ShSh")},
    {QStringLiteral("BirthDate"), QStringLiteral("BirthDate")},
    {QStringLiteral("Madrak"), QStringLiteral("fathername")},
    {QStringLiteral("Tel"), QStringLiteral("codmeli")},
    {QStringLiteral("Address"), QStringLiteral("Address")},
    {QStringLiteral("Pic"), QStringLiteral("Pic")},
    {QStringLiteral("SabtDate"), QStringLiteral("SabtDate")},
};
inline const QVector<GridColumn> CardColumns = {
    {QStringLiteral(" درس "), QStringLiteral("KID")},
    {QStringLiteral("Lesson"), QStringLiteral("Lesson")},
    {QStringLiteral("ExamDate"), QStringLiteral("ExamDate")},
    {QStringLiteral("QCount"), QStringLiteral("QCount")},
    {QStringLiteral("AnswerTime"), QStringLiteral("AnswerTime")},
    {QStringLiteral("TAnswer"), QStringLiteral("TAnswer")},
    {QStringLiteral("FAnswer"), QStringLiteral("FAnswer")},
    {QStringLiteral("NAnswer"), QStringLiteral("NAnswer")},
    {QStringLiteral("Emtiyaz"), QStringLiteral("Emtiyaz")},
};

inline const QString ChooseCard = QStringLiteral(" دوره مورد نظر را انتخاب کن  ");
inline const QString TraineesUnreadable = QStringLiteral(" فهرست کارآموزان اين کلاس از پايگاه داده خوانده نشد ");
inline const QString CardsUnreadable = QStringLiteral(" کارنامه هاي اين کارآموز از پايگاه داده خوانده نشد ");

// A message with the exclamation icon and an empty title.
void Warn(const QString &text);
// A wait for a busy file given up is told as busy; any other failure with the text, as Warn does.
void TellFailure(const Db::DbError &error, const QString &text);

} // namespace KaramoozTexts
