// The whole road of one exam through the real windows: start-up on the demo share, the main menu,
// the set-up, the picker, the entry code, a 20-question exam, the stored report card, the review,
// the chart and its saved picture.
#include <QComboBox>
#include <QDate>
#include <QImageReader>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "exams/ChartForm.h"
#include "exams/ExamForm.h"
#include "exams/RunExamForm.h"
#include "exams/SelectForm.h"
#include "exams/frmtest.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "shell/frmadress.h"

using namespace Module1;

namespace {

class ExamRoad : public AppFixture {
protected:
    void TearDown() override {
        FileDialog::SetHandler(nullptr);
        AppFixture::TearDown();
    }
};

// The answer to each question: 12 right, 5 wrong and 3 left blank, mixed through the exam.
const char Plan[] = "RWRBRRWRRBRWRRWRBRWR";
enum Answer { Right, Wrong, Blank };
Answer planFor(int question) { return Plan[question] == 'R' ? Right : Plan[question] == 'W' ? Wrong : Blank; }

TEST_F(ExamRoad, FromStartUpToTheStoredReportCardAndTheSavedChart) {
    MakeDatabase();
    const QString lesson = QStringLiteral("مبانی کامپیوتر");
    const QString code = Scalar("SELECT codemeli FROM Karamooz3 WHERE ID=7").toString();
    const QString name = Scalar("SELECT Name || '  ' || Family FROM Karamooz3 WHERE ID=7").toString();
    ASSERT_FALSE(code.isEmpty());

    int right = 0, wrong = 0, blank = 0;
    for (int q = 0; q < 20; ++q)
        (planFor(q) == Right ? right : planFor(q) == Wrong ? wrong : blank)++;
    ASSERT_EQ(right + wrong + blank, 20);

    // The chart at the end of the review: check it, save it, go back.
    const QString chartFile = temp.filePath("result");
    FileDialog::SetHandler([&](const FileDialog::Request &) { return chartFile; });
    bool chartSeen = false;
    modal.On("ChartForm", [&](QDialog &) {
        chartSeen = true;
        auto &chart = Forms::Get<ChartForm>().ui();
        EXPECT_FALSE(chart.Command1->isEnabled()) << "the review has been seen";
        EXPECT_EQ(chart.T1->text(), "20");
        EXPECT_EQ(chart.T2->text(), QString::number(right));
        EXPECT_EQ(chart.T3->text(), QString::number(wrong));
        EXPECT_EQ(chart.T4->text(), QString::number(blank));
        EXPECT_EQ(chart.T7->text(), QString::number(right)); // 1 point a right answer, none off
        EXPECT_EQ(chart.K_Lable->text(), name);
        QTest::mouseClick(chart.Cmd_SaveChart, Qt::LeftButton);
        QTest::mouseClick(chart.Cmd_End, Qt::LeftButton);
    });

    // The review: walk through every question to the end.
    int reviewed = 0;
    modal.On("frmtest", [&](QDialog &) {
        frmtest &review = Forms::Get<frmtest>();
        while (review.IsLoaded() && reviewed < 25) {
            ++reviewed;
            QTest::mouseClick(review.ui().Cmd_NextQ, Qt::LeftButton);
        }
    });

    // The exam: ten seconds on each question, then the planned answer and Next.
    modal.On("RunExamForm", [&](QDialog &) {
        RunExamForm &exam = Forms::Get<RunExamForm>();
        ASSERT_EQ(exam.ui().Label4->text(), "20");
        for (int q = 0; q < 20 && exam.IsLoaded(); ++q) {
            for (int t = 0; t < 10; ++t)
                exam.ExamClockTick();
            const int correct = CorrectOptions(0, q);
            QCheckBox *boxes[] = {exam.ui().Check1, exam.ui().Check2, exam.ui().Check3, exam.ui().Check4};
            if (planFor(q) == Right)
                QTest::mouseClick(boxes[correct - 1], Qt::LeftButton);
            else if (planFor(q) == Wrong)
                QTest::mouseClick(boxes[correct % 4], Qt::LeftButton);
            QTest::mouseClick(exam.ui().Cmd_NextQ, Qt::LeftButton);
        }
    });

    // The set-up: the lesson, the trainee from the picker, the entry code, Start.
    modal.On("SelectForm", [&](QDialog &) {
        auto &picker = Forms::Get<SelectForm>().ui();
        picker.T1->setText("7");
        QTest::mouseClick(picker.cmdfind, Qt::LeftButton);
        QTest::keyClick(picker.DataGrid1, Qt::Key_Return);
    });
    modal.On("ExamForm", [&](QDialog &) {
        auto &setup = Forms::Get<ExamForm>().ui();
        setup.DarsCombo->setCurrentIndex(setup.DarsCombo->findText(lesson));
        emit setup.DarsCombo->activated(setup.DarsCombo->currentIndex());
        ASSERT_TRUE(setup.Cmd_Select->isEnabled());
        QTest::mouseClick(setup.Cmd_Select, Qt::LeftButton);
        ASSERT_EQ(setup.Text5->text(), name);
        QTest::keyClicks(setup.Text7, code);
        QTest::mouseClick(setup.Cmd_Start, Qt::LeftButton);
    });

    msgs.Answer(Msg::vbYes); // the review question at the end of the exam
    frmadress startup;
    startup.Show();
    QTest::mouseClick(startup.ui().Command1, Qt::LeftButton);
    ASSERT_TRUE(Forms::Get<MainForm>().IsLoaded());
    QTest::mouseClick(Forms::Get<MainForm>().ui().Image22, Qt::LeftButton);

    EXPECT_EQ(modal.opened,
              (std::vector<QString>{"ExamForm", "SelectForm", "RunExamForm", "frmtest", "ChartForm"}));
    EXPECT_EQ(reviewed, 20);
    std::vector<int> styles;
    for (const Msg::Call &call : msgs.calls)
        styles.push_back(call.style);
    EXPECT_EQ(styles, (std::vector<int>{36, 64})) << "the review question and the saved chart, nothing else";
    EXPECT_TRUE(chartSeen);
    EXPECT_EQ(Scalar(SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(lesson)).replace("*", "count(*)") +
                     SharedDatabase::MarkedRows)
                  .toInt(),
              20);

    // The one report card, field by field.
    QSqlQuery row = Db::Exec(TestDb(), "SELECT name, codemeli, KID, Lesson, ExamDate, QCount, AnswerTime, FullTime, "
                                       "TAnswer, FAnswer, NAnswer, Emtiyaz FROM Karnameh3 WHERE KID=?",
                             {code.toLongLong()});
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), name);
    EXPECT_EQ(row.value(1).toString(), code);
    EXPECT_EQ(row.value(2).toLongLong(), code.toLongLong());
    EXPECT_EQ(row.value(3).toString(), lesson);
    EXPECT_EQ(row.value(4).toString(), *PersianDate(QDate::currentDate(), 3));
    EXPECT_EQ(row.value(5).toInt(), 20);
    EXPECT_EQ(row.value(6).toString(), "03:20");
    EXPECT_EQ(row.value(7).toString(), "13.33");
    EXPECT_EQ(row.value(8).toInt(), right);
    EXPECT_EQ(row.value(9).toInt(), wrong);
    EXPECT_EQ(row.value(10).toInt(), blank);
    EXPECT_EQ(row.value(11).toInt(), right);
    EXPECT_FALSE(row.next()) << "exactly one report card";

    // The saved chart is a real JPEG under the typed name with ".jpg" appended.
    QImageReader picture(chartFile + ".jpg");
    EXPECT_EQ(picture.format(), "jpeg");
    EXPECT_FALSE(picture.read().isNull());
    // Back from the chart clears the shared result.
    EXPECT_EQ(QuestionCount, 0);
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    Forms::Get<MainForm>().Unload();
}

} // namespace
