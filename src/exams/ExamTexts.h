#pragma once
// The texts of the exam and review windows.
#include <QString>
#include <array>

namespace ExamTexts {

// Message titles and questions
inline const QString WarningTitle = QStringLiteral("اخطار");
inline const QString LeaveExamQuestion = QStringLiteral(" آيا مطمئن به خروج از آزمون هستيد . در صورت خروج از آزمون هيچ کارنامه اي ثبت نخواهد شد ");
inline const QString LeaveReviewQuestion = QStringLiteral(" آيا مطمئن به خروج از اين قسمت از برنامه هستيد . در صورت خروج ديگر قادر به مقايسه جوابهاي خود با جوابهاي صحيح نخواهيد بود");
inline const QString ReviewQuestion = QStringLiteral(" آيا مايل به مشاهده و کنترل پاسخ هاي خود هستيد؟   ");
// Captions of the next button on the last question
inline const QString EndOfExamCaption = QStringLiteral("پايان آزمون");
inline const QString EndOfQuestionsCaption = QStringLiteral("پايان سوالات");
// Verdicts of the review
inline const QString CorrectVerdict = QStringLiteral("  پاسخ شما به اين سوال صحيح بوده است ");
inline const QString WrongVerdict = QStringLiteral("  پاسخ شما به اين سوال اشتباه بوده است ");
inline const QString BlankVerdict = QStringLiteral("  پاسخ شما به اين سوال سفيد بوده است ");

// Option 1 to 4: the option chosen, and the correct option.
inline const std::array<QString, 4> ChosenOptionTexts = {
    QStringLiteral("پاسخ شما به اين سوال گزينه -الف - بوده است  و "),
    QStringLiteral("پاسخ شما به اين سوال گزينه -ب - بوده است  و  "),
    QStringLiteral("پاسخ شما به اين سوال گزينه -ج - بوده است  و    "),
    QStringLiteral("پاسخ شما به اين سوال گزينه -د - بوده است  و    "),
};
inline const std::array<QString, 4> CorrectOptionTexts = {
    QStringLiteral(" جواب صحيح -الف- مي باشد"),
    QStringLiteral(" جواب صحيح -ب- مي باشد"),
    QStringLiteral(" جواب صحيح -ج- مي باشد"),
    QStringLiteral("جواب صحيح -د- مي باشد"),
};

// Failures the exam window tells of (%1: the question's record id).
inline const QString BadCorrectOption = QStringLiteral(" گزينه صحيح سوال شماره %1 اين درس نامعتبر است و امکان برگزاري آزمون وجود ندارد ");
inline const QString QuestionSetChanged = QStringLiteral(" سوالات انتخاب شده براي اين آزمون تغيير کرده است . لطفا آزمون را دوباره آغاز کنيد ");
inline const QString DatabaseFailed = QStringLiteral(" ارتباط با پايگاه داده برقرار نشد و امکان برگزاري آزمون وجود ندارد ");
inline const QString StoreFailed = QStringLiteral(" ثبت کارنامه در پايگاه داده انجام نشد . آيا دوباره تلاش شود ؟ در صورت انتخاب خير کارنامه اين آزمون ثبت نخواهد شد ");
inline const QString ScoreOutOfRange = QStringLiteral(" امتياز اين آزمون خارج از محدوده قابل ثبت است و کارنامه بدون امتياز ثبت مي شود ");

} // namespace ExamTexts
