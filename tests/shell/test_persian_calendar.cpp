#include <gtest/gtest.h>

#include <QCalendar>
#include <QDate>

#include "shell/PersianCalendar.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QDate Epoch(1953, 3, 21); // 1 Farvardin 1332

struct DayCase {
    qint64 days;
    int year, month, day;
};

struct FormatCase {
    QDate date;
    int format;
    QString text;
};

struct TextCase {
    QString text;
    bool bad;
    const char *why;
};

std::string fmt(const QString &s) { return s.toStdString(); }

// Qt's Jalali reading of a date, written like our format 0.
QString qtJalali(const QDate &date) {
    const QCalendar::YearMonthDay ymd = QCalendar(QCalendar::System::Jalali).partsFromDate(date);
    return u"%1/%2/%3"_s.arg(ymd.year).arg(ymd.month, 2, 10, QChar(u'0')).arg(ymd.day, 2, 10, QChar(u'0'));
}

} // namespace

TEST(PersianCalendar, DayCountToDate) {
    const DayCase cases[] = {
        {0, 1332, 1, 1},
        {185, 1332, 6, 31},  // last day of the 31-day months
        {186, 1332, 7, 1},
        {364, 1332, 12, 29}, // 1332 is a common year
        {365, 1333, 1, 1},
        {365 + 185, 1333, 6, 31},
        {365 + 186, 1333, 7, 1},
        {365 + 365, 1333, 12, 30}, // 1333 is leap: Esfand gets its 30th
        {365 + 366, 1334, 1, 1},
    };
    for (const DayCase &c : cases) {
        int y = 0, m = 0, d = 0;
        DaysToPersianDate(c.days, y, m, d);
        EXPECT_EQ(y, c.year) << "days " << c.days;
        EXPECT_EQ(m, c.month) << "days " << c.days;
        EXPECT_EQ(d, c.day) << "days " << c.days;
    }
}

TEST(PersianCalendar, NegativeDayCountLeavesOutputsAlone) {
    int y = -7, m = -8, d = -9;
    DaysToPersianDate(-1, y, m, d);
    EXPECT_EQ(y, -7);
    EXPECT_EQ(m, -8);
    EXPECT_EQ(d, -9);
}

TEST(PersianCalendar, Formats) {
    const QDate sat(2014, 9, 27);
    const FormatCase cases[] = {
        {Epoch, 0, u"1332/01/01"_s},
        {QDate(1953, 9, 22), 0, u"1332/06/31"_s},
        {QDate(1953, 9, 23), 0, u"1332/07/01"_s},
        {QDate(1954, 3, 20), 0, u"1332/12/29"_s},
        {QDate(1954, 3, 21), 0, u"1333/01/01"_s},
        {QDate(2015, 1, 10), 0, u"1393/10/20"_s}, // two digits get no extra zero
        {sat, 0, u"1393/07/05"_s},
        {sat, 1, u"5 مهر 1393"_s},
        {sat, 2, u"شنبه 5/7/1393"_s},
        {sat, 3, u"شنبه  5  مهر  1393"_s},
    };
    for (const FormatCase &c : cases) {
        const std::optional<QString> text = PersianDate(c.date, c.format);
        ASSERT_TRUE(text.has_value()) << fmt(c.date.toString(Qt::ISODate)) << " format " << c.format;
        EXPECT_EQ(*text, c.text) << fmt(c.date.toString(Qt::ISODate)) << " format " << c.format;
    }
}

TEST(PersianCalendar, DefaultFormatIsNumeric) { EXPECT_EQ(PersianDate(QDate(2014, 9, 27)), u"1393/07/05"_s); }

TEST(PersianCalendar, UnknownFormatGivesNothing) {
    for (int format : {-1, 4, 100})
        EXPECT_EQ(PersianDate(QDate(2014, 9, 27), format), std::nullopt) << "format " << format;
}

// One week, Sunday to Saturday, so every weekday name sits at its own day.
TEST(PersianCalendar, WeekdayNames) {
    const FormatCase cases[] = {
        {QDate(2014, 9, 28), 2, u"يکشنبه 6/7/1393"_s},
        {QDate(2014, 9, 29), 2, u"دوشنبه 7/7/1393"_s},
        {QDate(2014, 9, 30), 2, u"سه شنبه 8/7/1393"_s},
        {QDate(2014, 10, 1), 2, u"چهارشنبه 9/7/1393"_s},
        {QDate(2014, 10, 2), 2, u"پنجشنبه 10/7/1393"_s},
        {QDate(2014, 10, 3), 2, u"جمعه 11/7/1393"_s},
        {QDate(2014, 10, 4), 2, u"شنبه 12/7/1393"_s},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(PersianDate(c.date, c.format), c.text) << fmt(c.date.toString(Qt::ISODate));
}

TEST(PersianCalendar, LeapYearsUpTo1420) {
    // 1420 follows from the rule as well (t = 111: 15 - 3 = 12).
    const QList<int> leap = {1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370, 1375,
                             1379, 1383, 1387, 1391, 1395, 1399, 1403, 1408, 1412, 1416, 1420};
    for (int year = 1332; year <= 1420; ++year)
        EXPECT_EQ(IsPersianLeapYear(year - 1332), leap.contains(year)) << "year " << year;
}

// With t = year - 1309, (t mod 32) - (t div 32) is negative early in each 32-year run from t = 32 on;
// the remainder then keeps the sign, so only exact multiples of 4 count.
TEST(PersianCalendar, LeapRuleWithNegativeDifference) {
    const struct {
        int year;
        bool leap;
    } cases[] = {
        {1373, false}, // t = 64: 0 - 2 = -2
        {1436, true},  // t = 127: 31 - 3 = 28
        {1437, true},  // t = 128: 0 - 4 = -4, right after another leap year
        {1438, false}, // t = 129: 1 - 4 = -3
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsPersianLeapYear(c.year - 1332), c.leap) << "year " << c.year;
}

TEST(PersianCalendar, TypedDateCheck) {
    const TextCase cases[] = {
        {u"1393/07/05"_s, false, "well formed"},
        {u"1393/7/5"_s, true, "c7 is the slash"},
        {u"0393/07/05"_s, true, "year starts with 0"},
        {u"1393-07-05"_s, true, "c5 is not the slash"},
        {u"1393/13/01"_s, true, "month above 12"},
        {u"1393/20/01"_s, true, "month tens digit above 1"},
        {u"1393/00/10"_s, true, "month 00"},
        {u"1393/07/00"_s, true, "day 00"},
        {u"1393/07/32"_s, true, "day above 31"},
        {u"1393/07/40"_s, true, "day tens digit above 3"},
        {u"1393/12/31"_s, false, "month lengths are not checked"},
        {u"1393/07/3"_s, false, "nine characters are enough"},
        {u"1393/07/5"_s, true, "a lone day digit is read as the tens digit"},
        {u"1393/07/05 and more"_s, false, "nothing past the tenth character counts"},
        {u"abcd/ef/gh"_s, false, "letters count as 0"},
        {QString(), true, "empty: c5 is not the slash"},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(IsBadPersianDate(c.text), c.bad) << fmt(c.text) << ": " << c.why;
}

// Qt's Jalali calendar is an independent reference. Our arithmetic makes both 1436 and 1437 leap
// where Qt has only 1437, so the two agree up to 29 Esfand 1436 (19 March 2058).
TEST(PersianCalendar, AgreesWithQtJalaliUntil1436) {
    const QDate last(2058, 3, 19);
    for (QDate date = Epoch; date <= last; date = date.addDays(1))
        ASSERT_EQ(PersianDate(date), qtJalali(date)) << fmt(date.toString(Qt::ISODate));
}

// From 20 March 2058, which Qt calls 1 Farvardin 1437, our dates run one day behind.
TEST(PersianCalendar, RunsOneDayBehindQtJalaliFrom1437) {
    const struct {
        QDate date;
        QString ours, qt;
    } cases[] = {
        {QDate(2058, 3, 20), u"1436/12/30"_s, u"1437/01/01"_s},
        {QDate(2059, 3, 21), u"1437/12/30"_s, u"1438/01/01"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(qtJalali(c.date), c.qt) << fmt(c.date.toString(Qt::ISODate));
        EXPECT_EQ(PersianDate(c.date), c.ours) << fmt(c.date.toString(Qt::ISODate));
    }
}

// Qt's Jalali calendar checks the way back from a Persian date to the calendar date over the years
// where the two agree; every day there must come back to the date it was made from.
TEST(PersianCalendar, PersianDateBackToTheCalendarDate) {
    const QCalendar jalali(QCalendar::System::Jalali);
    for (QDate date = Epoch; date <= QDate(2058, 3, 19); date = date.addDays(1)) {
        const QCalendar::YearMonthDay ymd = jalali.partsFromDate(date);
        ASSERT_EQ(PersianToDate(ymd.year, ymd.month, ymd.day), date) << fmt(date.toString(Qt::ISODate));
        ASSERT_EQ(PersianTextToDate(*PersianDate(date)), date) << fmt(date.toString(Qt::ISODate));
    }
}

// Beyond the years that Qt agrees on, the way back still undoes our own day count.
TEST(PersianCalendar, PersianDateBackPastTheAgreedYears) {
    for (QDate date(2058, 3, 1); date <= QDate(2070, 3, 31); date = date.addDays(1))
        ASSERT_EQ(PersianTextToDate(*PersianDate(date)), date) << fmt(date.toString(Qt::ISODate));
}

TEST(PersianCalendar, TypedDateToCalendarDate) {
    const struct {
        QString text;
        std::optional<QDate> date;
        const char *why;
    } cases[] = {
        {u"1393/07/05"_s, QDate(2014, 9, 27), "a plain date"},
        {u"1332/01/01"_s, Epoch, "the first day of the count"},
        {u"1331/12/29"_s, QDate(1953, 3, 20), "the day before it"},
        {u"1393/12/29"_s, QDate(2015, 3, 20), "the last day of a common year"},
        {u"1395/12/30"_s, QDate(2017, 3, 20), "Esfand 30 of a leap year"},
        {u"1393/7/5"_s, QDate(2014, 9, 27), "single digits"},
        {u"1393/12/30"_s, std::nullopt, "Esfand 30 of a common year"},
        {u"1393/07/31"_s, std::nullopt, "Mehr has 30 days"},
        {u"1393/06/32"_s, std::nullopt, "past Shahrivar's 31"},
        {u"1393/13/01"_s, std::nullopt, "month 13"},
        {u"1393/00/10"_s, std::nullopt, "month 0"},
        {u"1393/07/00"_s, std::nullopt, "day 0"},
        {u"abcd/ef/gh"_s, std::nullopt, "letters"},
        {u"1393/07/05/"_s, std::nullopt, "a fourth part"},
        {u"1393//05"_s, std::nullopt, "an empty part"},
        {u"1393/07/0 5"_s, std::nullopt, "a space inside"},
        {u"۱۳۹۳/۰۷/۰۵"_s, std::nullopt, "Persian digits are not read as numbers elsewhere either"},
        {QString(), std::nullopt, "empty"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PersianTextToDate(c.text), c.date) << fmt(c.text) << ": " << c.why;
}
