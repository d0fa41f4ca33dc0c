// The exam window: the question set it draws or keeps, what it shows, its option boxes and leaving.
#include <QTest>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include "ExamTestSupport.h"
#include "ExpectedTexts.h"
#include "exams/QuestionDraw.h"
#include "exams/RunExamForm.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
// The questions in the arrays and on screen are the marked rows, in table order.
void ExpectShown(RunExamForm &form, const QList<qint64> &ids) {
    ASSERT_EQ(QuestionTexts.Columns(), ids.size());
    for (int i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(QuestionTexts(0, i), QStringLiteral("Question %1").arg(ids[i]));
        EXPECT_EQ(AnswerTexts(3, i), QStringLiteral("A%1-4").arg(ids[i]));
        EXPECT_EQ(CorrectOptions(0, i), (ids[i] - 1) % 4 + 1);
        EXPECT_EQ(CorrectOptions(1, i), 0);
    }
    EXPECT_EQ(form.ui().QBox->text(), QStringLiteral("Question %1").arg(ids[0]));
    EXPECT_EQ(form.ui().AnsBox2->text(), QStringLiteral("A%1-2").arg(ids[0]));
    EXPECT_EQ(form.ui().NumBox->text(), QStringLiteral("1"));
    EXPECT_EQ(form.QuestionIndex, 1);
}
} // namespace

class RunExamTest : public ExamFixture {};

TEST_F(RunExamTest, NewDrawMarksExactlyTheExamsQuestionsAndShowsThemInTableOrder) {
    struct Case {
        int rows, n, marked;
    };
    for (const Case &k : {Case{25, 20, 5}, Case{20, 20, 0}, Case{1, 1, 1}}) {
        SCOPED_TRACE(k.rows);
        Exec(QStringLiteral("DROP TABLE IF EXISTS ") + Table());
        Exec(QStringLiteral("DELETE FROM droos"));
        MakeLesson(lesson, k.rows, k.marked);
        SetUpExam(k.n, 40, 2);
        RunExamForm &form = StartExam();
        ASSERT_TRUE(form.IsLoaded());
        const QList<qint64> marked = MarkedIds();
        EXPECT_EQ(marked.size(), k.n);
        EXPECT_EQ(std::set<qint64>(marked.begin(), marked.end()).size(), size_t(k.n));
        ExpectShown(form, marked);
        EXPECT_TRUE(msgs.calls.empty());
        form.ExamFinished = true;
        form.Unload();
    }
}

TEST_F(RunExamTest, ExamShowsTheSetUpsValuesAndStartsItsControls) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();
    EXPECT_EQ(form.Widget()->windowTitle(), QStringLiteral("  <  گرفتن آزمون  >"));
    EXPECT_EQ(ui.K_Lable->text(), QStringLiteral("Sara  Rahimi"));
    EXPECT_EQ(ui.K_Dars->text(), lesson);
    EXPECT_EQ(ui.Full_Time->text(), QStringLiteral("13.33"));
    EXPECT_EQ(ui.Label7->text(), QStringLiteral("40"));
    EXPECT_EQ(ui.Label4->text(), QStringLiteral("20"));
    EXPECT_EQ(ui.Date_Lable->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(ui.PBar1->maximum(), 800);
    EXPECT_EQ(ui.PBar2->maximum(), 40);
    EXPECT_EQ(ui.PTime->text(), QStringLiteral("0"));
    EXPECT_TRUE(ui.Cmd_NextQ->isEnabled());
    EXPECT_TRUE(ui.Cmd_Cancel->isEnabled());
    EXPECT_TRUE(ui.Check4->isEnabled());
    EXPECT_EQ(form.Timer1()->interval(), 1000);
    EXPECT_TRUE(form.Timer1()->isActive());
    EXPECT_EQ(CorrectCount + WrongCount + BlankCount, 0);
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(RunExamTest, KeptSetChangesNoMarkAndShowsTheMarkedRowsInTableOrder) {
    MakeLesson(lesson, 25);
    const QList<qint64> chosen = {2, 3, 5, 8, 13, 21};
    MarkIds(chosen);
    SetUpExam(6, 40, 1);
    RunExamForm &form = StartExam();
    EXPECT_EQ(MarkedIds(), chosen);
    ExpectShown(form, chosen);
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(RunExamTest, SecondDrawClearsTheFirstDrawsMarks) {
    MakeLesson(lesson, 100);
    SetUpExam(20, 40, 2);
    StartExam().Cmd_Cancel_Click();
    const QList<qint64> first = MarkedIds();
    ASSERT_EQ(first.size(), 20);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    const QList<qint64> second = MarkedIds();
    EXPECT_EQ(second.size(), 20);
    EXPECT_NE(first, second); // 20 of 100 twice alike: about one chance in 5e20
    ExpectShown(form, second);
    form.ExamFinished = true;
    form.Unload();
}

TEST(QuestionDrawPick, EveryRowIsEquallyLikelyAndNoneTwice) {
    std::mt19937 random(7);
    std::vector<qint64> ids(10);
    std::iota(ids.begin(), ids.end(), 100);
    std::map<qint64, int> seen;
    const int draws = 30000;
    for (int d = 0; d < draws; ++d) {
        const auto picked = QuestionDraw::Pick(ids, 3, random);
        ASSERT_EQ(std::set<qint64>(picked.begin(), picked.end()).size(), 3u);
        for (qint64 id : picked)
            ++seen[id];
    }
    ASSERT_EQ(seen.size(), ids.size());
    for (const auto &[id, count] : seen)
        EXPECT_NEAR(count, draws * 3 / 10, 400) << id; // about 5 standard deviations
}

TEST_F(RunExamTest, FailedDrawLeavesTheOldMarksAndGivesNoExam) {
    MakeLesson(lesson, 25);
    const QList<qint64> old = {1, 4, 9, 16, 25};
    MarkIds(old);
    // The n-th mark of the draw fails, after the old marks were cleared and n-1 new ones set.
    Exec(QStringLiteral("CREATE TRIGGER failing BEFORE UPDATE OF AfterRun ON ") + Table() +
         QStringLiteral(" WHEN NEW.AfterRun<>0 AND (SELECT count(*) FROM ") + Table() +
         QStringLiteral(" WHERE AfterRun<>0) >= 19 BEGIN SELECT RAISE(ABORT, 'x'); END"));
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(MarkedIds(), old);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::DatabaseFailed);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(msgs.Last().titleGiven);
    EXPECT_TRUE(msgs.Last().title.isEmpty());
}

TEST_F(RunExamTest, ADrawThatMeetsARowThatCannotBeAskedLeavesTheMarksAsTheyWere) {
    MakeLesson(lesson, 10);
    const QList<qint64> old = {2, 5, 8};
    MarkIds(old);
    Exec(QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET TrueAnswer=5 WHERE ID=7"));
    SetUpExam(10, 40, 2); // every row is drawn, row 7 too
    RunExamForm &form = StartExam();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(MarkedIds(), old);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, QStringLiteral(" گزينه صحيح سوال شماره 7 اين درس نامعتبر است و امکان برگزاري آزمون وجود ندارد "));
    EXPECT_EQ(msgs.Last().style, 48);
}

TEST_F(RunExamTest, ADrawWaitsForAnotherWorkstationAndDrawsFromWhatItLeft) {
    struct Case {
        const char *what;
        int rows, n;
        QStringList writes;
        QList<qint64> expected; // empty: any n rows
    };
    const QString table = Table();
    const QList<Case> cases = {
        {"rows deleted", 20, 5, {"DELETE FROM " + table + " WHERE ID<=15"}, {16, 17, 18, 19, 20}},
        {"rows replaced", 5, 5,
         {"INSERT INTO " + table + " (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer) "
          "SELECT 'Question ' || (ID + 5), 'A' || (ID + 5) || '-1', 'A' || (ID + 5) || '-2', 'A' || (ID + 5) || '-3', "
          "'A' || (ID + 5) || '-4', (ID + 4) % 4 + 1 FROM " + table,
          "DELETE FROM " + table + " WHERE ID<=5"},
         {6, 7, 8, 9, 10}},
        {"another draw's marks", 20, 5, {"UPDATE " + table + " SET AfterRun=-1 WHERE ID<=10"}, {}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        msgs.Clear();
        Exec(QStringLiteral("DROP TABLE IF EXISTS ") + table);
        Exec(QStringLiteral("DELETE FROM droos"));
        MakeLesson(lesson, k.rows);
        SetUpExam(k.n, 40, 2);
        FileLock other(DatabasePath(), 200, k.writes);
        RunExamForm &form = StartExam();
        EXPECT_FALSE(other.Held());
        ASSERT_TRUE(form.IsLoaded());
        EXPECT_TRUE(msgs.calls.empty());
        const QList<qint64> marked = MarkedIds();
        EXPECT_EQ(marked.size(), k.n);
        if (!k.expected.isEmpty()) {
            EXPECT_EQ(marked, k.expected);
        }
        ExpectShown(form, marked);
        form.ExamFinished = true;
        form.Unload();
    }
}

// The user gives up waiting for another workstation's write lock: no exam, told as busy, and the
// marks stay as they were.
TEST_F(RunExamTest, ADrawWhoseWaitIsGivenUpIsToldAsBusyAndChangesNoMark) {
    MakeLesson(lesson, 25);
    const QList<qint64> old = {3, 6, 9};
    MarkIds(old);
    SetUpExam(3, 40, 2);
    Db::SetBusyPatience(50);
    FileLock other(DatabasePath(), 5000, {"UPDATE setting SET passedit=passedit"});
    msgs.Answer(Msg::vbNo);
    RunExamForm &form = StartExam();
    EXPECT_FALSE(form.IsLoaded());
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[1].style, 48);
    other.Release();
    EXPECT_EQ(MarkedIds(), old);
}

TEST_F(RunExamTest, QuestionsThatCannotBeAskedGiveNoExam) {
    struct Case {
        const char *what;
        QVariant trueAnswer;
        QString message;
    };
    const QList<Case> cases = {
        {"zero", 0, Expected::BadCorrectOption.arg(7)},
        {"five", 5, Expected::BadCorrectOption.arg(7)},
        {"half", 2.5, Expected::BadCorrectOption.arg(7)},
        {"null", QVariant(), Expected::BadCorrectOption.arg(7)},
        {"text", QStringLiteral("b"), Expected::BadCorrectOption.arg(7)},
    };
    MakeLesson(lesson, 10);
    MarkIds({3, 7, 9});
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        msgs.Clear();
        Exec(QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET TrueAnswer=? WHERE ID=7"), {k.trueAnswer});
        SetUpExam(3, 40, 1);
        RunExamForm &form = StartExam();
        EXPECT_FALSE(form.IsLoaded());
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, k.message);
        EXPECT_EQ(msgs.Last().style, 48);
        EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());
    }
}

TEST_F(RunExamTest, MarkedSetOfAnotherSizeGivesNoExam) {
    MakeLesson(lesson, 25);
    MarkIds({1, 2, 3}); // another workstation drew again since the set-up counted 4
    SetUpExam(4, 40, 1);
    RunExamForm &form = StartExam();
    EXPECT_FALSE(form.IsLoaded());
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::QuestionSetChanged);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(MarkedIds(), (QList<qint64>{1, 2, 3}));

    // The lesson shrank below the exam's size between the set-up and the draw.
    msgs.Clear();
    SetUpExam(26, 40, 2);
    StartExam();
    EXPECT_FALSE(Forms::Get<RunExamForm>().IsLoaded());
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::QuestionSetChanged);
    EXPECT_EQ(MarkedIds(), (QList<qint64>{1, 2, 3}));
}

TEST_F(RunExamTest, EmptyTextsShowEmpty) {
    MakeLesson(lesson, 2, 2);
    Exec(QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET Question=NULL, Answer3=NULL WHERE ID=1"));
    SetUpExam(2, 40, 1);
    RunExamForm &form = StartExam();
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.ui().QBox->text(), QString());
    EXPECT_EQ(form.ui().AnsBox3->text(), QString());
    EXPECT_EQ(form.ui().AnsBox4->text(), QStringLiteral("A1-4"));
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(RunExamTest, MouseKeepsOneOptionTicked) {
    MakeLesson(lesson, 3, 3);
    SetUpExam(3, 40, 1);
    RunExamForm &form = StartExam();
    auto &ui = form.ui();
    QTest::mouseClick(ui.Check2, Qt::LeftButton);
    EXPECT_TRUE(ui.Check2->isChecked());
    EXPECT_EQ(form.ChosenOption, 2);
    QTest::mouseClick(ui.Check3, Qt::LeftButton);
    EXPECT_FALSE(ui.Check2->isChecked());
    EXPECT_TRUE(ui.Check3->isChecked());
    EXPECT_EQ(form.ChosenOption, 3);
    // Unticking leaves the choice as it was, and nothing is ticked.
    QTest::mouseClick(ui.Check3, Qt::LeftButton);
    EXPECT_FALSE(ui.Check3->isChecked());
    EXPECT_EQ(form.ChosenOption, 3);
    // The Space key ticks a box without unticking the others; only the mouse does that.
    QTest::mouseClick(ui.Check2, Qt::LeftButton);
    ui.Check3->setFocus();
    QTest::keyClick(ui.Check3, Qt::Key_Space);
    EXPECT_TRUE(ui.Check2->isChecked());
    EXPECT_TRUE(ui.Check3->isChecked());
    EXPECT_EQ(form.ChosenOption, 3);
    QTest::mouseClick(ui.Check1, Qt::LeftButton);
    EXPECT_FALSE(ui.Check2->isChecked() || ui.Check3->isChecked());
    EXPECT_TRUE(ui.Check1->isChecked());
    EXPECT_EQ(form.ChosenOption, 1);
    form.ExamFinished = true;
    form.Unload();
}

TEST_F(RunExamTest, LeavingWithYesStoresNothingAndClearsTheResult) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    Tick(form, 5);
    const QList<qint64> drawn = MarkedIds();
    QTest::mouseClick(form.ui().Cmd_Cancel, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::LeaveExam);
    EXPECT_EQ(msgs.Last().style, 52);
    EXPECT_EQ(msgs.Last().title, QStringLiteral("اخطار"));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ReportCards(), 0);
    EXPECT_EQ(MarkedIds(), drawn);
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    EXPECT_EQ(QuestionCount, 0);
    EXPECT_EQ(EnteredNationalCode, QStringLiteral("1234567890"));
    EXPECT_EQ(QuestionTexts.Columns(), 20);
}

TEST_F(RunExamTest, LeavingWithNoGoesOnAtTheSameQuestion) {
    MakeLesson(lesson, 25);
    SetUpExam(20, 40, 2);
    RunExamForm &form = StartExam();
    Tick(form, 45);
    const QString question = form.ui().QBox->text();
    msgs.Answer(Msg::vbNo);
    form.Widget()->close(); // the close box asks the same
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Expected::LeaveExam);
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_TRUE(form.Widget()->isVisible());
    EXPECT_EQ(form.ui().QBox->text(), question);
    EXPECT_EQ(form.ui().NumBox->text(), QStringLiteral("2"));
    EXPECT_TRUE(form.Timer1()->isActive());
    Tick(form, 1);
    EXPECT_EQ(form.ui().PTime->text(), QStringLiteral("6"));
    EXPECT_EQ(CurrentLessonName, lesson);
    form.ExamFinished = true;
    form.Unload();
}
