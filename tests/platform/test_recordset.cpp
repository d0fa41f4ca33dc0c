#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/Bindings.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {

// A lesson of five questions with ids 1..5, half of them marked, under a name that needs quoting.
class RecordsetTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        lesson = QStringLiteral("ر یاضی \"x\"");
        SharedDatabase::CreateQuestionTable(TestDb(), lesson);
        table = SharedDatabase::QuestionTableName(lesson);
        for (int id : {3, 1, 5, 2, 4})
            Exec(QStringLiteral("INSERT INTO ") + Db::QuoteIdent(table) +
                     QStringLiteral(" (ID, Question, TrueAnswer, AfterRun) VALUES (?, ?, ?, ?)"),
                 {id, QStringLiteral("q%1").arg(id), id % 4 + 1, Db::YesNo(id % 2 == 1)});
        data.ConnectionString = Module1::ConnectionString;
        data.RecordSource = SharedDatabase::SelectAll(table);
        data.Refresh();
    }
    Recordset &rs() { return data.Recordset(); }
    QString lesson, table;
    DataControl data;
};

TEST_F(RecordsetTest, WalksRowsWithExactPositions) {
    EXPECT_EQ(rs().RecordCount(), 5);
    EXPECT_EQ(rs().AbsolutePosition(), 1);
    EXPECT_FALSE(rs().IsBOF());
    rs().Move(3);
    EXPECT_EQ(rs().AbsolutePosition(), 4);
    rs().MoveNext();
    rs().MoveNext();
    EXPECT_TRUE(rs().IsEOF());
    EXPECT_EQ(rs().AbsolutePosition(), Recordset::adPosEOF);
    EXPECT_THROW(rs().Value("ID"), Db::DbError);
    rs().MoveFirst();
    rs().MovePrevious();
    EXPECT_TRUE(rs().IsBOF());
    rs().Move(100);
    EXPECT_TRUE(rs().IsEOF());
    rs().SetAbsolutePosition(2);
    EXPECT_EQ(rs().Value("id").toInt(), 2); // fields by name whatever the case
    EXPECT_EQ(rs().Value("QUESTION").toString(), "q2");
}

TEST_F(RecordsetTest, BoundValuesStayWithTheSourceForEveryRefreshAndStayWritable) {
    data.RecordSource = SharedDatabase::SelectAll(table) + QStringLiteral(" WHERE Question = ? OR ID > ?");
    data.RecordSourceValues = {QStringLiteral("q'1"), 4};
    Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET Question = ? WHERE ID = 1"),
         {QStringLiteral("q'1")});
    data.Refresh();
    EXPECT_EQ(rs().RecordCount(), 2);
    Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET Question = ? WHERE ID = 2"),
         {QStringLiteral("q'1")});
    rs().Requery();
    ASSERT_EQ(rs().RecordCount(), 3);
    rs().MoveFirst();
    rs().SetValue("Question", QStringLiteral("changed"));
    rs().Update();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + Db::QuoteIdent(table) +
                     QStringLiteral(" WHERE Question = 'changed'")).toInt(), 1);
}

TEST_F(RecordsetTest, TextsSortInPersianAlphabeticalOrder) {
    const QStringList names = {QStringLiteral("یزدی"), QStringLiteral("محمدی"), QStringLiteral("گودرزی"),
                               QStringLiteral("کریمی"), QStringLiteral("پارسا"), QStringLiteral("بهرامی"),
                               QStringLiteral("احمدی")};
    Exec(QStringLiteral("DELETE FROM ") + Db::QuoteIdent(table));
    for (int i = 0; i < names.size(); ++i)
        Exec(QStringLiteral("INSERT INTO ") + Db::QuoteIdent(table) + QStringLiteral(" (ID, Question) VALUES (?, ?)"),
             {i + 1, names[i]});
    rs().Requery();
    rs().Sort(QStringLiteral("Question"));
    QStringList sorted;
    for (rs().MoveFirst(); !rs().IsEOF(); rs().MoveNext())
        sorted << rs().Value("Question").toString();
    EXPECT_EQ(sorted, QStringList({QStringLiteral("احمدی"), QStringLiteral("بهرامی"), QStringLiteral("پارسا"),
                                   QStringLiteral("کریمی"), QStringLiteral("گودرزی"), QStringLiteral("محمدی"),
                                   QStringLiteral("یزدی")}));
}

TEST_F(RecordsetTest, EmptyResultIsBothBofAndEof) {
    data.RecordSource = SharedDatabase::SelectAll(table) + QStringLiteral(" WHERE ID > 99");
    data.Refresh();
    EXPECT_EQ(rs().RecordCount(), 0);
    EXPECT_TRUE(rs().IsBOF());
    EXPECT_TRUE(rs().IsEOF());
}

TEST_F(RecordsetTest, SortFilterAndFind) {
    rs().Sort(QStringLiteral("ID"));
    QList<int> ids;
    for (rs().MoveFirst(); !rs().IsEOF(); rs().MoveNext())
        ids << rs().Value("ID").toInt();
    EXPECT_EQ(ids, QList<int>({1, 2, 3, 4, 5}));
    rs().Sort(QStringLiteral("ID DESC"));
    EXPECT_EQ(rs().Value("ID").toInt(), 5);

    rs().Sort(QStringLiteral("ID"));
    EXPECT_TRUE(rs().Find("ID", 4));
    EXPECT_EQ(rs().AbsolutePosition(), 4);
    EXPECT_FALSE(rs().Find("ID", 2)); // only forward from the current row
    EXPECT_TRUE(rs().IsEOF());
    rs().MoveFirst();
    EXPECT_TRUE(rs().Find("id", QStringLiteral("2"))); // a typed number finds the number

    rs().SetFilter("AfterRun", -1);
    EXPECT_EQ(rs().RecordCount(), 3);
    rs().ClearFilter();
    EXPECT_EQ(rs().RecordCount(), 5);

    rs().Requery(); // the sort stays
    EXPECT_EQ(rs().Value("ID").toInt(), 1);
}

// Texts compared exactly when asked: case and every character count, the default folds case.
TEST_F(RecordsetTest, FilterAndFindCanCompareTextsExactly) {
    Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET Question = 'Q2' WHERE ID = 2"));
    rs().Requery();
    rs().Sort(QStringLiteral("ID"));
    rs().SetFilter("Question", QStringLiteral("q2"));
    EXPECT_EQ(rs().RecordCount(), 1);
    rs().SetFilter("Question", QStringLiteral("q2"), Qt::CaseSensitive);
    EXPECT_EQ(rs().RecordCount(), 0);
    rs().SetFilter("Question", QStringLiteral("Q2"), Qt::CaseSensitive);
    EXPECT_EQ(rs().RecordCount(), 1);
    rs().Requery(); // the exact filter stays
    EXPECT_EQ(rs().RecordCount(), 1);
    rs().ClearFilter();
    EXPECT_FALSE(rs().Find("Question", QStringLiteral("q2"), false, Qt::CaseSensitive));
    rs().MoveFirst();
    EXPECT_TRUE(rs().Find("Question", QStringLiteral("q2")));
    EXPECT_EQ(rs().Value("ID").toInt(), 2);
}

TEST_F(RecordsetTest, ChangesAreWrittenThroughToTheTable) {
    rs().Sort(QStringLiteral("ID"));
    rs().SetValue("AfterRun", true);
    rs().SetValue("Question", QStringLiteral("'; DROP TABLE setting; --"));
    rs().Update();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT AfterRun FROM ") + Db::QuoteIdent(table) + " WHERE ID=1").toInt(), -1);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Question FROM ") + Db::QuoteIdent(table) + " WHERE ID=1").toString(),
              "'; DROP TABLE setting; --");
    EXPECT_EQ(Scalar("SELECT count(*) FROM setting").toInt(), 1);

    rs().AddNew();
    rs().SetValue("Question", QStringLiteral("new"));
    rs().Update();
    EXPECT_EQ(rs().Value("ID").toInt(), 6) << "the number the database gave the row is read back";
    EXPECT_EQ(rs().RecordCount(), 6);

    // A moved-off row with pending changes is written, as the client cursor does.
    rs().MoveFirst();
    rs().SetValue("Question", QStringLiteral("moved"));
    rs().MoveNext();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Question FROM ") + Db::QuoteIdent(table) + " WHERE ID=1").toString(),
              "moved");
}

TEST_F(RecordsetTest, DeleteThenMoveNextLandsOnTheFollowingRow) {
    rs().Sort(QStringLiteral("ID"));
    rs().Move(1);
    rs().Delete();
    EXPECT_THROW(rs().Value("ID"), Db::DbError);
    rs().MoveNext();
    EXPECT_EQ(rs().Value("ID").toInt(), 3);
    EXPECT_EQ(rs().RecordCount(), 4);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT count(*) FROM ") + Db::QuoteIdent(table)).toInt(), 4);
}

TEST_F(RecordsetTest, ReadOnlyQueriesRefuseWrites) {
    data.RecordSource = QStringLiteral("SELECT count(*) AS n FROM ") + Db::QuoteIdent(table) +
                        QStringLiteral(" GROUP BY AfterRun");
    data.Refresh();
    EXPECT_FALSE(rs().IsWritable());
    rs().SetValue("n", 1);
    EXPECT_THROW(rs().Update(), Db::DbError);
}

TEST_F(RecordsetTest, MissingTableFailsTheRefresh) {
    data.RecordSource = SharedDatabase::SelectAll(QStringLiteral("Qnone"));
    EXPECT_THROW(data.Refresh(), Db::DbError);
    EXPECT_FALSE(rs().IsOpen());
}

TEST_F(RecordsetTest, GridModelStaysConsistentThroughEveryChange) {
    QTableView grid;
    RecordsetModel *model = Bindings::BindGrid(&grid, &data, {{"code", "ID"}, {"question", "Question"}});
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "question");
    rs().Sort(QStringLiteral("ID"));
    EXPECT_EQ(model->data(model->index(0, 0)).toInt(), 1);
    rs().AddNew();
    rs().Update();
    EXPECT_EQ(model->rowCount(), 6);
    rs().MoveFirst();
    rs().Delete();
    EXPECT_EQ(model->rowCount(), 5);
    rs().SetFilter("AfterRun", 0);
    data.Refresh();
    // The grid's current row and the recordset's follow each other.
    grid.setCurrentIndex(model->index(2, 0));
    EXPECT_EQ(rs().AbsolutePosition(), 3);
    rs().MoveLast();
    EXPECT_EQ(grid.currentIndex().row(), model->rowCount() - 1);
}

TEST_F(RecordsetTest, BoundControlsFollowTheRowAndEditIt) {
    QLineEdit box;
    QCheckBox check;
    rs().Sort(QStringLiteral("ID"));
    Bindings::Bind(&box, &data, "Question");
    Bindings::Bind(&check, &data, "AfterRun");
    EXPECT_EQ(box.text(), "q1");
    EXPECT_TRUE(check.isChecked());
    rs().MoveNext();
    EXPECT_EQ(box.text(), "q2");
    EXPECT_FALSE(check.isChecked());
    check.click();
    rs().Update();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT AfterRun FROM ") + Db::QuoteIdent(table) + " WHERE ID=2").toInt(), -1);
}

} // namespace
