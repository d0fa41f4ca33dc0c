#include "shell/PersianCalendar.h"

#include "platform/Convert.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace Module1 {

namespace {

constexpr int BaseYear = 1332; // the Persian year of the epoch, 21 March 1953

const QString MonthNames[12] = {
    u"فروردين"_s, u"ارديبهشت"_s, u"خرداد"_s, u"تير"_s,
    u"مرداد"_s, u"شهريور"_s, u"مهر"_s, u"آبان"_s,
    u"آذر"_s, u"دي"_s, u"بهمن"_s, u"اسفند"_s,
};

// Sunday first, as weekdays are counted here (1 = Sunday .. 7 = Saturday).
const QString WeekdayNames[7] = {
    u"يکشنبه"_s, u"دوشنبه"_s, u"سه شنبه"_s, u"چهارشنبه"_s,
    u"پنجشنبه"_s, u"جمعه"_s, u"شنبه"_s,
};

// Month 0 only comes from a date before the epoch.
QString monthName(int month) { return month >= 1 && month <= 12 ? MonthNames[month - 1] : QString(); }

QString num(int n) { return QString::number(n); }

// Month and day of the numeric form always take two digits.
QString padded(int n) { return n < 10 ? "0"_L1 + num(n) : num(n); }

int yearLength(int k) { return IsPersianLeapYear(k) ? 366 : 365; }

int monthLength(int year, int month) {
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsPersianLeapYear(year - BaseYear) ? 30 : 29;
}

// A part of a typed date: plain Latin digits only.
std::optional<int> digitsValue(const QString &part) {
    if (part.isEmpty() || part.size() > 6)
        return std::nullopt;
    for (const QChar ch : part)
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
    return part.toInt();
}

} // namespace

bool IsPersianLeapYear(int k) {
    const int t = k + BaseYear - 1309;
    // C++'s / and % truncate toward zero, as the rule needs: a difference of -4 is leap, -2 is not.
    return ((t % 32) - (t / 32)) % 4 == 0;
}

void DaysToPersianDate(qint64 days, int &year, int &month, int &day) {
    if (days < 0)
        return;
    qint64 r = days;
    int k = 0;
    for (;;) {
        const int length = IsPersianLeapYear(k) ? 366 : 365;
        if (r - length < 0)
            break;
        r -= length;
        ++k;
    }
    year = k + BaseYear;
    // The first six months have 31 days (186 in all), the rest 30; Esfand ends where the year does.
    if (r <= 185) {
        month = int(r / 31) + 1;
        day = int(r % 31) + 1;
    } else {
        r -= 186;
        month = int(r / 30) + 7;
        day = int(r % 30) + 1;
    }
}

std::optional<QString> PersianDate(const QDate &date, int format) {
    const qint64 days = QDate(1953, 3, 21).daysTo(date);
    // Qt counts Monday = 1 .. Sunday = 7.
    const int weekday = date.dayOfWeek() % 7 + 1;

    // Dates before the epoch are never asked for; they come out as zeros.
    int year = 0, month = 0, day = 0;
    DaysToPersianDate(days, year, month, day);

    switch (format) {
    case 0:
        return num(year) + "/"_L1 + padded(month) + "/"_L1 + padded(day);
    case 1:
        return num(day) + " "_L1 + monthName(month) + " "_L1 + num(year);
    case 2:
        return WeekdayNames[weekday - 1] + " "_L1 + num(day) + "/"_L1 + num(month) + "/"_L1 + num(year);
    case 3:
        return WeekdayNames[weekday - 1] + "  "_L1 + num(day) + "  "_L1 + monthName(month) + "  "_L1 + num(year);
    default:
        return std::nullopt;
    }
}

bool IsBadPersianDate(const QString &text) {
    // c(1) .. c(10): the first ten characters, a missing one being the empty text.
    const auto c = [&text](int i) { return i <= text.size() ? text.mid(i - 1, 1) : QString(); };
    const QString c1 = c(1), c2 = c(2), c3 = c(3), c4 = c(4), c5 = c(5);
    const QString c6 = c(6), c7 = c(7), c8 = c(8), c9 = c(9), c10 = c(10);
    const QString slash = u"/"_s;

    // The slashes stand at 5 and 8 and nowhere else among the ten; the year does not start with 0.
    if (c1 == slash || c2 == slash || c3 == slash || c4 == slash || c6 == slash || c7 == slash || c9 == slash ||
        c10 == slash)
        return true;
    if (c1 == "0"_L1 || c5 != slash || c8 != slash)
        return true;

    // Month 1..12 and day 1..31, judged by number value so that letters pass as 0.
    if (Convert::Val(c6) > 1 || Convert::Val(c9) > 3 || Convert::Val(c9 + c10) > 31 || Convert::Val(c6 + c7) > 12)
        return true;

    // Month or day "00".
    if ((c6 == "0"_L1 && c7 == "0"_L1) || (c9 == "0"_L1 && c10 == "0"_L1))
        return true;

    return false;
}

std::optional<QDate> PersianToDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > monthLength(year, month))
        return std::nullopt;
    qint64 days = 0;
    for (int k = 0; k < year - BaseYear; ++k)
        days += yearLength(k);
    for (int k = year - BaseYear; k < 0; ++k)
        days -= yearLength(k);
    days += month <= 6 ? (month - 1) * 31 : 186 + (month - 7) * 30;
    days += day - 1;
    return QDate(1953, 3, 21).addDays(days);
}

std::optional<QDate> PersianTextToDate(const QString &text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    const auto year = digitsValue(parts[0]), month = digitsValue(parts[1]), day = digitsValue(parts[2]);
    if (!year || !month || !day)
        return std::nullopt;
    return PersianToDate(*year, *month, *day);
}

} // namespace Module1
