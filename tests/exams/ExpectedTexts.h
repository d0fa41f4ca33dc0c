#pragma once
// The texts the exam and review windows must show, written out: a test compares with these, never
// with the program's own constants, so a lost space or another form of a letter fails it.
#include <QString>
#include <array>

namespace Expected {
using namespace Qt::StringLiterals;

inline const QString LeaveExam = u" آيا مطمئن به خروج از آزمون هستيد . در صورت خروج از آزمون هيچ کارنامه اي ثبت نخواهد شد "_s;
inline const QString LeaveReview = u" آيا مطمئن به خروج از اين قسمت از برنامه هستيد . در صورت خروج ديگر قادر به مقايسه جوابهاي خود با جوابهاي صحيح نخواهيد بود"_s;
inline const QString ReviewQuestion = u" آيا مايل به مشاهده و کنترل پاسخ هاي خود هستيد؟   "_s;
inline const QString CorrectVerdict = u"  پاسخ شما به اين سوال صحيح بوده است "_s;
inline const QString WrongVerdict = u"  پاسخ شما به اين سوال اشتباه بوده است "_s;
inline const QString BlankVerdict = u"  پاسخ شما به اين سوال سفيد بوده است "_s;
// Option 1 to 4: the option chosen, and the correct option.
inline const std::array<QString, 4> Chosen = {u"پاسخ شما به اين سوال گزينه -الف - بوده است  و "_s, u"پاسخ شما به اين سوال گزينه -ب - بوده است  و  "_s, u"پاسخ شما به اين سوال گزينه -ج - بوده است  و    "_s, u"پاسخ شما به اين سوال گزينه -د - بوده است  و    "_s};
inline const std::array<QString, 4> Correct = {u" جواب صحيح -الف- مي باشد"_s, u" جواب صحيح -ب- مي باشد"_s, u" جواب صحيح -ج- مي باشد"_s, u"جواب صحيح -د- مي باشد"_s};

// The exam window's own messages (%1: the question's record id).
inline const QString BadCorrectOption = u" گزينه صحيح سوال شماره %1 اين درس نامعتبر است و امکان برگزاري آزمون وجود ندارد "_s;
inline const QString QuestionSetChanged = u" سوالات انتخاب شده براي اين آزمون تغيير کرده است . لطفا آزمون را دوباره آغاز کنيد "_s;
inline const QString DatabaseFailed = u" ارتباط با پايگاه داده برقرار نشد و امکان برگزاري آزمون وجود ندارد "_s;
inline const QString StoreFailed = u" ثبت کارنامه در پايگاه داده انجام نشد . آيا دوباره تلاش شود ؟ در صورت انتخاب خير کارنامه اين آزمون ثبت نخواهد شد "_s;
inline const QString ScoreOutOfRange = u" امتياز اين آزمون خارج از محدوده قابل ثبت است و کارنامه بدون امتياز ثبت مي شود "_s;

} // namespace Expected
