// The answers of an exam: counting, the score, the report-card row and the way on to review or chart.
#include <QSqlQuery>
#include <QTest>

#include "ExamTestSupport.h"
#include "exams/ChartForm.h"
#include "ExpectedTexts.h"
#include "exams/RunExamForm.h"
#include "exams/frmtest.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include <QSqlRecord>

using namespace Module1;

namespace {
struct Row {
    QVariantMap fields;
    QVariant operator[](const char *name) const { return fields.value(QString::fromLatin1(name)); }
};

QList<Row> rowsOf(QSqlDatabase db) {
    QList<Row> rows;
    QSqlQuery query = Db::Exec(db, QStringLiteral("SELECT * FROM Karnameh3"));
    while (query.next()) {
        Row row;
        for (int i = 0; i < query.record().count(); ++i)
            row.fields[query.record().fieldName(i)] = query.value(i);
        rows << row;
    }
    return rows;
}
} // namespace

class RunExamAnswersTest : public ExamFixture {
protected:
    void SetUp() override {
        ExamFixture::SetUp();
        SaveSetting(QStringLiteral("T_Emtiyaz"), QStringLiteral("1"));
        SaveSetting(QStringLiteral("F_Emtiyaz"), QStringLiteral("0"));
    }
    void CloseChart() {
        if (Forms::Exists<ChartForm>())
            Forms::Get<ChartForm>().Unload();
    }
};

TEST_F(RunExamAnswersTest, EachAnswerIsCountedAndKeptAndTheRowWritten) {
    MakeLesson(lesson, 25);
    MarkIds({1, 2, 3});
    SetUpExam(3, 40, 1);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();

    QTest::mouseClick(ui.Check1, Qt::LeftButton); // correct option of question 1
    form.Cmd_NextQ_Click();
    EXPECT_EQ(CorrectCount, 1);
    EXPECT_EQ(CorrectOptions(1, 0), 1);
    EXPECT_FALSE(ui.Check1->isChecked());

    QTest::mouseClick(ui.Check3, Qt::LeftButton); // question 2 wants option 2
    Tick(form, 7);
    QTest::mouseClick(ui.Cmd_NextQ, Qt::LeftButton);
    EXPECT_EQ(WrongCount, 1);
    EXPECT_EQ(CorrectOptions(1, 1), 3);
    EXPECT_EQ(ui.Cmd_NextQ->text(), QStringLiteral("پايان آزمون"));

    msgs.Answer(Msg::vbNo); // no review: the chart
    form.Cmd_NextQ_Click();
    EXPECT_EQ(BlankCount, 1);
    EXPECT_EQ(CorrectOptions(1, 2), 0);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(form.ExamFinished);
    EXPECT_EQ(StartMode, 0);
    EXPECT_EQ(ElapsedTimeText, QStringLiteral("00:07"));

    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::ReviewQuestion);
    EXPECT_EQ(msgs.Last().style, 36);
    EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());

    const QList<Row> rows = rowsOf(TestDb());
    ASSERT_EQ(rows.size(), 1);
    const Row &row = rows[0];
    EXPECT_EQ(row["name"].toString(), QStringLiteral("Sara  Rahimi"));
    EXPECT_EQ(row["codemeli"].toString(), QStringLiteral("1234567890"));
    EXPECT_EQ(row["KID"].toLongLong(), 1234567890LL);
    EXPECT_EQ(row["Lesson"].toString(), lesson);
    EXPECT_EQ(row["ExamDate"].toString(), PersianDate(QDate::currentDate(), 3).value());
    EXPECT_EQ(row["QCount"].toInt(), 3);
    EXPECT_EQ(row["AnswerTime"].toString(), QStringLiteral("00:07"));
    EXPECT_EQ(row["FullTime"].toString(), QStringLiteral("13.33"));
    EXPECT_EQ(row["TAnswer"].toInt(), 1);
    EXPECT_EQ(row["FAnswer"].toInt(), 1);
    EXPECT_EQ(row["NAnswer"].toInt(), 1);
    EXPECT_EQ(row["Emtiyaz"].toInt(), 1);

    ASSERT_EQ(modal.opened.back(), QStringLiteral("ChartForm"));
    ChartForm &chart = Forms::Get<ChartForm>();
    ASSERT_TRUE(chart.IsLoaded());
    EXPECT_TRUE(chart.ui().Command1->isEnabled());
    EXPECT_EQ(chart.ui().T2->text(), QStringLiteral("1"));
    CloseChart();
}

TEST_F(RunExamAnswersTest, ScoreIsRoundedHalvesToEvenAndEveryRowAddsUp) {
    struct Case {
        int correct, wrong, blank;
        const char *truePoints, *falsePoints;
        int score;
    };
    MakeLesson(lesson, 25);
    const QList<Case> cases = {
        {12, 5, 3, "1", "0", 12},   {12, 5, 3, "1", "0.25", 11}, {2, 6, 12, "1", "0.25", 0},
        {3, 6, 11, "1", "0.25", 2}, {3, 8, 9, "1", "1", -5},     {7, 5, 8, "1", "0.5", 4},
        {20, 0, 0, "", "", 0},      {5, 0, 15, "2x", "x", 10},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.truePoints + std::string("/") + k.falsePoints + "/" + std::to_string(k.correct));
        SaveSetting(QStringLiteral("T_Emtiyaz"), QString::fromLatin1(k.truePoints));
        SaveSetting(QStringLiteral("F_Emtiyaz"), QString::fromLatin1(k.falsePoints));
        SetUpExam(k.correct + k.wrong + k.blank, 40, 2);
        msgs.Answer(Msg::vbNo);
        RunExamForm &form = StartExam();
        AnswerAll(form, k.correct, k.wrong);
        ASSERT_FALSE(form.IsLoaded());
        EXPECT_EQ(CorrectCount, k.correct);
        EXPECT_EQ(WrongCount, k.wrong);
        EXPECT_EQ(BlankCount, k.blank);
        const QList<Row> rows = rowsOf(TestDb());
        EXPECT_EQ(rows.back()["Emtiyaz"].toInt(), k.score);
        CloseChart();
    }
    for (const Row &row : rowsOf(TestDb()))
        EXPECT_EQ(row["TAnswer"].toInt() + row["FAnswer"].toInt() + row["NAnswer"].toInt(), row["QCount"].toInt());
    EXPECT_EQ(ReportCards(), cases.size());
}

TEST_F(RunExamAnswersTest, ScoreBeyondSixteenBitsIsToldNotWrapped) {
    MakeLesson(lesson, 200);
    SaveSetting(QStringLiteral("T_Emtiyaz"), QStringLiteral("200")); // 200 x 200 = 40000
    SetUpExam(200, 40, 2);
    RunExamForm &form = StartExam();
    msgs.Answer(Msg::vbOK);
    msgs.Answer(Msg::vbNo);
    AnswerAll(form, 200, 0);
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, Expected::ScoreOutOfRange);
    EXPECT_EQ(msgs.calls[0].style, 48);
    const QList<Row> rows = rowsOf(TestDb());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0]["Emtiyaz"].isNull());
    EXPECT_EQ(rows[0]["TAnswer"].toInt(), 200);
    // The chart opened next shows what was stored: no score.
    ChartForm &chart = Forms::Get<ChartForm>();
    ASSERT_TRUE(chart.IsLoaded());
    EXPECT_EQ(chart.ui().T7->text(), QString());
    EXPECT_EQ(chart.ui().T2->text(), QStringLiteral("200"));
    CloseChart();
}

TEST_F(RunExamAnswersTest, OneQuestionExamEndsOnTheFirstNext) {
    MakeLesson(lesson, 5);
    SetUpExam(1, 40, 2);
    RunExamForm &form = StartExam();
    EXPECT_EQ(form.ui().Cmd_NextQ->text(), QStringLiteral("سوال بعدي"));
    msgs.Answer(Msg::vbNo);
    form.Cmd_NextQ_Click();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(BlankCount, 1);
    EXPECT_EQ(ReportCards(), 1);
    CloseChart();
}

TEST_F(RunExamAnswersTest, ReviewThenChartWithoutItsReviewButton) {
    MakeLesson(lesson, 25);
    SetUpExam(2, 40, 2);
    RunExamForm &form = StartExam();
    AnswerAll(form, 1, 1); // the review question: yes
    EXPECT_FALSE(form.IsLoaded());
    ASSERT_EQ(modal.opened.back(), QStringLiteral("frmtest"));
    frmtest &review = Forms::Get<frmtest>();
    ASSERT_TRUE(review.IsLoaded());
    review.Cmd_NextQ_Click();
    review.Cmd_NextQ_Click();
    EXPECT_FALSE(review.IsLoaded());
    ASSERT_EQ(modal.opened.back(), QStringLiteral("ChartForm"));
    EXPECT_FALSE(Forms::Get<ChartForm>().ui().Command1->isEnabled());
    EXPECT_EQ(ReportCards(), 1);
    CloseChart();
}

// The row cannot be written: the trainee is asked to try again; the result waits on screen.
class UnwrittenReportCardTest : public RunExamAnswersTest {
protected:
    struct Seen {
        QString text;
        bool examOpen;
        uint8_t correct;
        QString elapsed;
    };
    std::vector<Seen> seen;
    // Answers the store question with each of `retries` in turn, running `fix` before the last Yes.
    void Handle(std::vector<int> answers, std::function<void()> fix) {
        Msg::SetHandler([this, answers, fix, n = size_t(0)](const Msg::Call &call) mutable {
            const RunExamForm &form = Forms::Get<RunExamForm>();
            seen.push_back({call.text, form.IsLoaded() && Forms::Get<RunExamForm>().Widget()->isVisible(),
                            CorrectCount, ElapsedTimeText});
            if (call.text != Expected::StoreFailed)
                return int(Msg::vbNo); // the review question: straight to the chart
            EXPECT_EQ(call.style, 52);
            EXPECT_EQ(call.title, QStringLiteral("اخطار"));
            const int answer = answers.at(n++);
            if (n == answers.size() && answer == Msg::vbYes && fix)
                fix();
            return answer;
        });
    }
    void RunExam() {
        SetUpExam(3, 40, 2);
        RunExamForm &form = StartExam();
        Tick(form, 3);
        AnswerAll(form, 2, 1);
        EXPECT_FALSE(form.IsLoaded());
    }
};

TEST_F(UnwrittenReportCardTest, RetryAfterTheFixStoresExactlyOneRow) {
    MakeLesson(lesson, 25);
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Karnameh3 BEGIN SELECT RAISE(ABORT, 'x'); END"));
    Handle({Msg::vbYes, Msg::vbYes}, [this] { Exec(QStringLiteral("DROP TRIGGER refuse")); });
    RunExam();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, Expected::StoreFailed);
    EXPECT_TRUE(seen[0].examOpen);
    EXPECT_EQ(seen[0].correct, 2);
    EXPECT_EQ(seen[0].elapsed, QStringLiteral("00:03"));
    EXPECT_EQ(seen[1].text, Expected::StoreFailed);
    EXPECT_EQ(seen[2].text, Expected::ReviewQuestion);
    const QList<Row> rows = rowsOf(TestDb());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["TAnswer"].toInt(), 2);
    EXPECT_EQ(rows[0]["AnswerTime"].toString(), QStringLiteral("00:03"));
    CloseChart();
}

TEST_F(UnwrittenReportCardTest, MissingTableCanBeRestoredAndRetried) {
    MakeLesson(lesson, 25);
    Handle({Msg::vbYes}, [this] {
        Exec(QStringLiteral("DROP TABLE Karamooz3"));
        SharedDatabase::CreateClassTables(TestDb(), QStringLiteral("3"));
    });
    SetUpExam(3, 40, 2);
    RunExamForm &form = StartExam();
    Exec(QStringLiteral("DROP TABLE Karnameh3")); // after the window opened the table
    AnswerAll(form, 3, 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, Expected::StoreFailed);
    EXPECT_EQ(ReportCards(), 1);
    CloseChart();
}

TEST_F(UnwrittenReportCardTest, GivingUpStoresNoRowAndGoesOn) {
    MakeLesson(lesson, 25);
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Karnameh3 BEGIN SELECT RAISE(ABORT, 'x'); END"));
    Handle({Msg::vbNo}, nullptr);
    RunExam();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, Expected::StoreFailed);
    EXPECT_EQ(seen[1].text, Expected::ReviewQuestion);
    Exec(QStringLiteral("DROP TRIGGER refuse"));
    EXPECT_EQ(ReportCards(), 0);
    EXPECT_EQ(CorrectCount, 2); // the chart still shows the result
    ASSERT_EQ(modal.opened.back(), QStringLiteral("ChartForm"));
    CloseChart();
}

// Another workstation holds the file while the exam window opens and draws: the exam waits with its
// window painting, and the card written after the lock is gone goes in without a question.
TEST_F(RunExamAnswersTest, AnExamOpenedWhileTheFileIsHeldStoresItsCardWithoutAQuestion) {
    struct Case {
        const char *what;
        QStringList writes; // none: the whole file is held, reads too
        bool windowShown;   // the wait comes after the window is on screen
    };
    const QList<Case> cases = {
        {"held for reading and writing", {}, false},
        {"held for writing while the draw marks", {"UPDATE setting SET passedit=passedit"}, true},
    };
    MakeLesson(lesson, 25);
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        msgs.Clear();
        const int before = ReportCards();
        SetUpExam(3, 40, 2);
        FileLock other(DatabasePath(), 300, k.writes);
        RunExamForm &form = StartExam();
        EXPECT_FALSE(other.Held());
        EXPECT_TRUE(other.BusyCursorAtRelease());
        if (k.windowShown) {
            EXPECT_GT(other.PaintsWhileHeld(), 0);
        }
        ASSERT_TRUE(form.IsLoaded());
        EXPECT_EQ(MarkedIds().size(), 3);
        AnswerAll(form, 2, 1);
        ASSERT_EQ(msgs.calls.size(), 1u) << msgs.Last().text.toStdString();
        EXPECT_EQ(msgs.Last().text, QStringLiteral(" آيا مايل به مشاهده و کنترل پاسخ هاي خود هستيد؟   "));
        EXPECT_EQ(ReportCards(), before + 1);
        CloseChart();
    }
}
