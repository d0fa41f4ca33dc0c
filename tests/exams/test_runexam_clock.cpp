// The exam clock: the bars, the seconds of the question, the elapsed digits and the time limits.
#include <QCheckBox>
#include <QTest>

#include "ExamTestSupport.h"
#include "exams/RunExamForm.h"
#include "shell/Module1.h"

using namespace Module1;

class ExamClockTest : public ExamFixture {};

TEST_F(ExamClockTest, EachQuestionRunsOutOnItsFortiethTick) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();
    for (int t = 1; t <= 39; ++t) {
        form.ExamClockTick();
        ASSERT_EQ(ui.PTime->text(), QString::number(t));
        ASSERT_EQ(ui.PBar2->value(), t);
    }
    EXPECT_EQ(ui.NumBox->text(), QStringLiteral("1"));
    form.ExamClockTick();
    EXPECT_EQ(ui.NumBox->text(), QStringLiteral("2"));
    EXPECT_EQ(ui.PTime->text(), QStringLiteral("0"));
    EXPECT_EQ(ui.PBar2->value(), 0);
    EXPECT_EQ(ui.PBar1->value(), 40);
    EXPECT_EQ(BlankCount, 1);
    EXPECT_EQ(CorrectOptions(1, 0), 0);
    // Answering quickly restarts the question's bar but not the digits.
    Tick(form, 10);
    form.Cmd_NextQ_Click();
    EXPECT_EQ(ui.PBar2->value(), 0);
    EXPECT_EQ(form.ElapsedText(), QStringLiteral("00:50"));
    form.ExamFinished = true;
    form.Unload();
}

// The time runs out with a box ticked: that box is the answer, right or wrong.
TEST_F(ExamClockTest, ATickedBoxIsTheAnswerWhenTheTimeRunsOut) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();
    QCheckBox *boxes[] = {ui.Check1, ui.Check2, ui.Check3, ui.Check4};
    for (int q = 0; q < 4; ++q) {
        const bool right = q % 2 == 0;
        SCOPED_TRACE(right ? "right" : "wrong");
        const int correct = form.CurrentCorrectOption;
        const int ticked = right ? correct : correct % 4 + 1;
        const int correctBefore = CorrectCount, wrongBefore = WrongCount;
        QTest::mouseClick(boxes[ticked - 1], Qt::LeftButton);
        Tick(form, 39);
        ASSERT_EQ(ui.NumBox->text(), QString::number(q + 1));
        form.ExamClockTick();
        EXPECT_EQ(ui.NumBox->text(), QString::number(q + 2));
        EXPECT_EQ(CorrectCount, correctBefore + (right ? 1 : 0));
        EXPECT_EQ(WrongCount, wrongBefore + (right ? 0 : 1));
        EXPECT_EQ(BlankCount, 0);
        EXPECT_EQ(CorrectOptions(1, q), ticked);
        for (QCheckBox *box : boxes)
            EXPECT_FALSE(box->isChecked());
    }
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(ExamClockTest, ExamLeftToRunOutEndsOnTick800At1320) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    Tick(form, 799);
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.ui().NumBox->text(), QStringLiteral("20"));
    EXPECT_EQ(form.ui().PBar1->value(), 799);
    form.ExamClockTick();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ElapsedTimeText, QStringLiteral("13:20"));
    EXPECT_EQ(BlankCount, 20);
    EXPECT_EQ(CorrectCount + WrongCount, 0);
}

TEST_F(ExamClockTest, DigitsCarry) {
    struct Case {
        const char *before, *after;
    };
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();
    for (const Case &k : {Case{"00:00", "00:01"}, Case{"01:09", "01:10"}, Case{"01:59", "02:00"},
                          Case{"09:59", "10:00"}, Case{"59:59", "60:00"}, Case{"99:59", "100:00"}}) {
        const QString before = QString::fromLatin1(k.before);
        ui.T4->setText(before.mid(0, 1));
        ui.T3->setText(before.mid(1, 1));
        ui.T2->setText(before.mid(3, 1));
        ui.T1->setText(before.mid(4, 1));
        ui.PBar2->setValue(0);
        form.ExamClockTick();
        EXPECT_EQ(form.ElapsedText(), QString::fromLatin1(k.after));
    }
    EXPECT_EQ(ui.T4->text(), QStringLiteral("10"));
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(ExamClockTest, TicksBeforeTheFirstQuestionCountNothing) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = Forms::Get<RunExamForm>();
    form.Load(); // loaded but not yet shown: the clock runs, the exam is not made
    form.ExamClockTick();
    EXPECT_EQ(form.ui().T1->text(), QStringLiteral("0"));
    EXPECT_EQ(BlankCount, 0);
    form.ExamFinished = true;
    form.Unload();
}
