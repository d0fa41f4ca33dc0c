// The answer review: the marks and verdicts of each question, its faster clock and its two ways out.
#include <QTest>

#include "ExamTestSupport.h"
#include "exams/ChartForm.h"
#include "ExpectedTexts.h"
#include "exams/frmtest.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
const QColor Red(255, 0, 0), Green(0, 255, 0), Blue(0, 0, 255);

struct Looks {
    bool opaque;
    QColor background, text;
};

Looks looksOf(const QLabel *box) {
    return {box->autoFillBackground(), box->palette().color(QPalette::Window), box->palette().color(QPalette::WindowText)};
}
} // namespace

class ReviewTest : public ExamFixture {
protected:
    // The exam just taken: (correct, chosen) for each question.
    void Taken(const std::vector<std::pair<int, int>> &answers, int seconds = 40) {
        const int n = int(answers.size());
        QuestionTexts.ReDim(1, n);
        AnswerTexts.ReDim(4, n);
        CorrectOptions.ReDim(2, n);
        for (int i = 0; i < n; ++i) {
            QuestionTexts(0, i) = QStringLiteral("Question %1").arg(i + 1);
            for (int k = 0; k < 4; ++k)
                AnswerTexts(k, i) = QStringLiteral("A%1-%2").arg(i + 1).arg(k + 1);
            CorrectOptions(0, i) = uint8_t(answers[i].first);
            CorrectOptions(1, i) = uint8_t(answers[i].second);
        }
        SetUpExam(n, seconds, 0);
        CorrectCount = 1;
    }
    frmtest &Open() {
        frmtest &review = Forms::Get<frmtest>();
        review.ShowModal();
        return review;
    }
    void Close(frmtest &review) {
        review.ExamFinished = true;
        review.Unload();
    }
    bool ChartOpen() { return Forms::Exists<ChartForm>() && Forms::Get<ChartForm>().IsLoaded(); }
    void CloseChart() {
        if (ChartOpen())
            Forms::Get<ChartForm>().Unload();
    }
};

TEST_F(ReviewTest, EachQuestionShowsItsMarksAndVerdict) {
    struct Case {
        int correct, chosen;
        QString verdict, detail;
        std::map<int, Looks> marked; // the other boxes are transparent with green text
    };
    const QList<Case> cases = {
        {2, 2, Expected::CorrectVerdict,
         QStringLiteral("پاسخ شما به اين سوال گزينه -ب - بوده است  و  ") + QStringLiteral(" جواب صحيح -ب- مي باشد"),
         {{2, {true, Blue, Green}}}},
        {3, 1, Expected::WrongVerdict, Expected::Chosen[0] + Expected::Correct[2],
         {{1, {true, Red, Blue}}, {3, {true, Blue, Green}}}},
        {4, 0, Expected::BlankVerdict, QStringLiteral("جواب صحيح -د- مي باشد"), {{4, {true, Blue, Green}}}},
        {1, 4, Expected::WrongVerdict, Expected::Chosen[3] + Expected::Correct[0],
         {{4, {true, Red, Blue}}, {1, {true, Blue, Green}}}},
        {4, 3, Expected::WrongVerdict, Expected::Chosen[2] + Expected::Correct[3],
         {{3, {true, Red, Blue}}, {4, {true, Blue, Green}}}},
    };
    std::vector<std::pair<int, int>> answers;
    for (const Case &k : cases)
        answers.emplace_back(k.correct, k.chosen);
    Taken(answers);
    frmtest &review = Open();
    auto &ui = review.ui();
    const std::array<QLabel *, 4> boxes = {ui.AnsBox1, ui.AnsBox2, ui.AnsBox3, ui.AnsBox4};
    for (int q = 0; q < cases.size(); ++q) {
        SCOPED_TRACE(q);
        const Case &k = cases[q];
        if (q > 0)
            QTest::mouseClick(ui.Cmd_NextQ, Qt::LeftButton);
        EXPECT_EQ(ui.NumBox->text(), QString::number(q + 1));
        EXPECT_EQ(ui.QBox->text(), QStringLiteral("Question %1").arg(q + 1));
        EXPECT_EQ(ui.lblcomment->text(), k.verdict);
        EXPECT_EQ(ui.lblcomment1->text(), k.detail);
        for (int option = 1; option <= 4; ++option) {
            const Looks want = k.marked.count(option) ? k.marked.at(option) : Looks{false, QColor(), Green};
            const Looks got = looksOf(boxes[option - 1]);
            EXPECT_EQ(got.opaque, want.opaque) << option;
            EXPECT_EQ(got.text, want.text) << option;
            if (want.opaque) {
                EXPECT_EQ(got.background, want.background) << option;
            }
        }
    }
    EXPECT_EQ(ui.Cmd_NextQ->text(), QStringLiteral("پايان سوالات"));
    Close(review);
}

TEST_F(ReviewTest, StartsWithTheExamsHeaderAndNothingToTick) {
    Taken({{1, 1}, {2, 3}});
    frmtest &review = Open();
    auto &ui = review.ui();
    EXPECT_EQ(ui.K_Lable->text(), QStringLiteral("Sara  Rahimi"));
    EXPECT_EQ(ui.K_Dars->text(), lesson);
    EXPECT_EQ(ui.Label4->text(), QStringLiteral("2"));
    EXPECT_EQ(ui.Label7->text(), QStringLiteral("40"));
    EXPECT_EQ(ui.Full_Time->text(), QStringLiteral("13.33"));
    EXPECT_EQ(ui.PBar1->maximum(), 80);
    EXPECT_EQ(ui.PBar2->maximum(), 40);
    EXPECT_TRUE(ui.Cmd_NextQ->isEnabled());
    EXPECT_TRUE(ui.Cmd_Cancel->isEnabled());
    for (QCheckBox *box : {ui.Check1, ui.Check2, ui.Check3, ui.Check4}) {
        EXPECT_FALSE(box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(CorrectOptions(1, 1), 3); // records nothing
    Close(review);
}

TEST_F(ReviewTest, ClockStepsByTwoAndNeverPassesTheBar) {
    struct Case {
        int seconds, ticksPerQuestion;
    };
    for (const Case &k : {Case{40, 20}, Case{45, 23}}) {
        SCOPED_TRACE(k.seconds);
        Taken({{1, 0}, {2, 0}, {3, 0}}, k.seconds);
        frmtest &review = Open();
        auto &ui = review.ui();
        for (int t = 1; t < k.ticksPerQuestion; ++t) {
            review.ExamClockTick();
            ASSERT_EQ(ui.PBar2->value(), 2 * t);
            ASSERT_EQ(ui.PTime->text(), QString::number(2 * t));
        }
        EXPECT_EQ(ui.NumBox->text(), QStringLiteral("1"));
        review.ExamClockTick();
        EXPECT_EQ(ui.NumBox->text(), QStringLiteral("2"));
        EXPECT_EQ(ui.PBar2->value(), 0);
        EXPECT_EQ(ui.PBar1->value(), std::min(2 * k.ticksPerQuestion, ui.PBar1->maximum()));
        // The digits count one a tick.
        EXPECT_EQ(review.ElapsedText(), QStringLiteral("00:%1").arg(k.ticksPerQuestion, 2, 10, QLatin1Char('0')));
        Close(review);
    }
}

TEST_F(ReviewTest, LastQuestionsTimeOutEndsTheReviewInTheChart) {
    Taken({{1, 1}, {2, 2}}, 40);
    frmtest &review = Open();
    Tick(review, 40);
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_TRUE(review.ExamFinished);
    ASSERT_TRUE(ChartOpen());
    EXPECT_FALSE(Forms::Get<ChartForm>().ui().Command1->isEnabled());
    EXPECT_EQ(CorrectCount, 1); // the result stays for the chart
    CloseChart();
}

TEST_F(ReviewTest, WholeReviewLimitStopsTheClockAndRaisesNextOnceMore) {
    // 45 seconds a question take 23 ticks of 2: the whole limit of 3 x 45 comes first, 22 ticks into
    // the last question, and its Next ends the review.
    Taken({{1, 1}, {2, 2}, {3, 3}}, 45);
    frmtest &review = Open();
    Tick(review, 23 + 23 + 21);
    ASSERT_TRUE(review.IsLoaded());
    EXPECT_EQ(review.ui().NumBox->text(), QStringLiteral("3"));
    review.ExamClockTick();
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_TRUE(ChartOpen());
    CloseChart();

    // With more questions the limit comes before the last one: the review goes on without a clock.
    std::vector<std::pair<int, int>> many(50, {1, 0});
    Taken(many, 45);
    frmtest &again = Open();
    Tick(again, 48 * 23 + 21);
    ASSERT_TRUE(again.IsLoaded());
    EXPECT_EQ(again.ui().NumBox->text(), QStringLiteral("50"));
    EXPECT_FALSE(again.Timer1()->isActive());
    Close(again);
}

TEST_F(ReviewTest, OneQuestionReviewEndsOnTheFirstNext) {
    Taken({{3, 3}});
    frmtest &review = Open();
    review.Cmd_NextQ_Click();
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_TRUE(msgs.calls.empty());
    ASSERT_TRUE(ChartOpen());
    EXPECT_FALSE(Forms::Get<ChartForm>().ui().Command1->isEnabled());
    CloseChart();
}

TEST_F(ReviewTest, LeavingEarlyAsksFirst) {
    Taken({{1, 1}, {2, 2}, {3, 3}});
    frmtest &review = Open();
    review.Cmd_NextQ_Click();
    Tick(review, 3);
    msgs.Answer(Msg::vbNo);
    QTest::mouseClick(review.ui().Cmd_Cancel, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::LeaveReview);
    EXPECT_EQ(msgs.Last().style, 52);
    EXPECT_EQ(msgs.Last().title, QStringLiteral("اخطار"));
    ASSERT_TRUE(review.IsLoaded());
    EXPECT_EQ(review.ui().NumBox->text(), QStringLiteral("2"));
    EXPECT_TRUE(review.Timer1()->isActive());
    Tick(review, 1);
    EXPECT_EQ(review.ui().PTime->text(), QStringLiteral("8"));

    review.Widget()->close(); // yes: the result is cleared and no chart opens
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_EQ(CorrectCount, 0);
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    EXPECT_FALSE(ChartOpen());
}

TEST_F(ReviewTest, ChartsReviewButtonOpensTheReviewOnce) {
    Taken({{1, 2}});
    ChartForm &chart = Forms::Get<ChartForm>();
    chart.ui().Command1->setEnabled(true); // as the end of an exam opens it
    chart.ShowModal();
    QTest::mouseClick(chart.ui().Command1, Qt::LeftButton);
    EXPECT_FALSE(chart.IsLoaded());
    ASSERT_EQ(modal.opened.back(), QStringLiteral("frmtest"));
    frmtest &review = Forms::Get<frmtest>();
    EXPECT_EQ(review.ui().lblcomment->text(), Expected::WrongVerdict);
    review.Cmd_NextQ_Click();
    ASSERT_TRUE(ChartOpen());
    EXPECT_FALSE(chart.ui().Command1->isEnabled());
    CloseChart();
}
