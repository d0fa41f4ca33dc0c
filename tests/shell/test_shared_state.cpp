#include <QSqlQuery>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/DataControl.h"
#include "shell/DemoData.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {

TEST(SharedState, ResetClearsTheResultButKeepsTheClassChoice) {
    using namespace Module1;
    ResetAll();
    ClassNumberText = "3";
    SelectedYearText = "90-1389";
    EnteredNationalCode = "123";
    UnlockedFlag = 1;
    SelectedTraineeName = "a  b";
    CurrentLessonName = "x";
    QuestionCount = CorrectCount = WrongCount = BlankCount = SecondsPerQuestion = StartMode = 5;
    ExamScore = -3;
    TotalMinutesText = ElapsedTimeText = "1";
    // Left alone: the exam date, the class name, the question arrays, the connection, the working values.
    ReportExamDate = "1402/07/15";
    SelectedClassName = "x";
    ConnectionString = "c";
    QuestionTexts.ReDim(1, 1);
    QuestionTexts(0, 0) = "q";
    CorrectOptions.ReDim(2, 1);
    CorrectOptions(1, 0) = 3;
    ScratchValue = 7;
    TransferCount = 4;
    for (int round = 0; round < 2; ++round) {
        ResetChartGlobals();
        EXPECT_EQ(UnlockedFlag, 0);
        EXPECT_TRUE(SelectedTraineeName.isEmpty() && CurrentLessonName.isEmpty());
        EXPECT_TRUE(TotalMinutesText.isEmpty() && ElapsedTimeText.isEmpty());
        EXPECT_EQ(QuestionCount + CorrectCount + WrongCount + BlankCount + SecondsPerQuestion + StartMode, 0);
        EXPECT_EQ(ExamScore, 0);
        EXPECT_EQ(ClassNumberText, "3");
        EXPECT_EQ(SelectedYearText, "90-1389");
        EXPECT_EQ(EnteredNationalCode, "123");
        EXPECT_EQ(ReportExamDate, "1402/07/15");
        EXPECT_EQ(SelectedClassName, "x");
        EXPECT_EQ(ConnectionString, "c");
        EXPECT_EQ(QuestionTexts(0, 0), "q");
        EXPECT_EQ(CorrectOptions(1, 0), 3);
        EXPECT_EQ(ScratchValue, 7);
        EXPECT_EQ(TransferCount, 4);
    }
    ResetAll();
}

TEST(SharedState, QuestionArraysAreRedimensionedAndBoundsChecked) {
    Module1::Array2D<uint8_t> options;
    options.ReDim(2, 3);
    options(1, 2) = 4;
    EXPECT_EQ(options(1, 2), 4);
    EXPECT_THROW(options(2, 0), std::out_of_range);
    options.ReDim(2, 3);
    EXPECT_EQ(options(1, 2), 0) << "re-dimensioning discards the contents";
}

TEST(TableNames, FollowTheNameRules) {
    EXPECT_EQ(SharedDatabase::QuestionTableName(QStringLiteral("مباني کامپيوتر")), QStringLiteral("Qمبانيکامپيوتر"));
    EXPECT_EQ(SharedDatabase::QuestionTableName(QStringLiteral(" a b ")),
              SharedDatabase::QuestionTableName(QStringLiteral("ab")));
    EXPECT_EQ(SharedDatabase::TraineeTableName("3"), "Karamooz3");
    EXPECT_EQ(SharedDatabase::ReportCardTableName("6"), "Karnameh6");
    EXPECT_EQ(SharedDatabase::SelectAll("Q\"x"), "SELECT * FROM \"Q\"\"x\"");
}

using DemoDatabase = AppFixture;

// The demo file must let every window be tried.
TEST_F(DemoDatabase, HoldsWhatEveryWindowNeeds) {
    MakeDatabase();
    DataControl lessons;
    lessons.ConnectionString = Module1::ConnectionString;
    lessons.RecordSource = QStringLiteral("SELECT * FROM droos where yn='-1'");
    lessons.Refresh();
    EXPECT_GE(lessons.Recordset().RecordCount(), 7);
    bool withSpace = false, empty = false;
    int full = 0;
    for (Recordset &rs = lessons.Recordset(); !rs.IsEOF(); rs.MoveNext()) {
        const QString name = rs.Value("name").toString();
        withSpace |= name.contains(u' ');
        const int n = Scalar(SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(name))
                                 .replace("SELECT *", "SELECT count(*)"))
                          .toInt();
        empty |= n == 0;
        full += n >= 40;
    }
    EXPECT_TRUE(withSpace);
    EXPECT_TRUE(empty);
    EXPECT_GE(full, 5);
    EXPECT_GE(Scalar("SELECT count(*) FROM droos WHERE yn<>'-1'").toInt(), 1);
    EXPECT_EQ(Scalar("SELECT count(*) FROM clase").toInt(), 6);
    for (int c = 1; c <= 6; ++c) {
        const int trainees = Scalar(QStringLiteral("SELECT count(*) FROM Karamooz%1").arg(c)).toInt();
        EXPECT_TRUE(trainees >= 8 && trainees <= 15) << c;
        EXPECT_EQ(Scalar(QStringLiteral("SELECT count(*) FROM Karnameh%1 WHERE TAnswer+FAnswer+NAnswer<>QCount").arg(c))
                      .toInt(),
                  0);
    }
    EXPECT_GT(Scalar("SELECT count(*) FROM Karnameh3").toInt(), 0);
    EXPECT_GT(Scalar("SELECT count(*) FROM relationnotekar").toInt(), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM setting WHERE tellumo=-1 AND Question=-1 AND Questionp=-1 AND "
                     "Questiont=-1 AND Questionn=-1 AND karnameh=-1 AND passedit=?",
                     {DemoData::EditPassword})
                  .toInt(),
              1);
}

} // namespace
