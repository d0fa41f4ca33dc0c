#pragma once
// Persian (solar hijri) dates: the date texts the program shows and stores, and the check of a
// date typed as yyyy/mm/dd. The conversion is plain arithmetic on a day count from 1 Farvardin 1332
// (21 March 1953) with a 32-year leap rule; dates stored by earlier runs depend on it staying so.
#include <QDate>
#include <QString>
#include <optional>

namespace Module1 {

// The date as Persian date text: format 0 "1393/07/05", 1 day, month name and year, 2 weekday name
// and d/m/yyyy, 3 weekday name, day, month name and year two spaces apart. Any other format gives
// nothing (not an empty text).
std::optional<QString> PersianDate(const QDate &date, int format = 0);

// Persian year, month and day of a count of days since 1 Farvardin 1332 (day 0).
// Leaves the outputs as they are when days is negative.
void DaysToPersianDate(qint64 days, int &year, int &month, int &day);

// Whether Persian year 1332 + k is a leap year (366 days, Esfand of 30 days).
bool IsPersianLeapYear(int k);

// True when text is not an acceptable yyyy/mm/dd date. Only the slashes, the leading digit and the
// ranges of month and day are looked at; the month's length is not.
bool IsBadPersianDate(const QString &text);

// The calendar date of a Persian year, month and day, by the same day count run backwards (years
// before 1332 by the same leap rule). Nothing when no such day exists: a month outside 1..12, a day
// below 1 or past the month's end (Esfand 30 of a common year, Mehr 31).
std::optional<QDate> PersianToDate(int year, int month, int day);

// The calendar date that a typed year/month/day text names. Nothing when a part is missing or not
// all digits, or when the day does not exist; IsBadPersianDate lets such texts through.
std::optional<QDate> PersianTextToDate(const QString &text);

} // namespace Module1
