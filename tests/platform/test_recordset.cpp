#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <functional>
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

// Whole numbers sort as numbers, nulls first; equal values keep the query's order either way.
TEST_F(RecordsetTest, WholeNumbersSortByValueWithNullsFirst) {
    const std::pair<int, QVariant> options[] = {
        {1, QVariant()}, {2, Q_INT64_C(4611686018427387904)}, {3, -7}, {4, 3}, {5, 3}};
    for (const auto &[id, value] : options)
        Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET TrueAnswer = ? WHERE ID = ?"),
             {value, id});
    rs().Requery();
    const auto ids = [this](const QString &sort) {
        rs().Sort(sort);
        QList<int> order;
        for (rs().MoveFirst(); !rs().IsEOF(); rs().MoveNext())
            order << rs().Value("ID").toInt();
        return order;
    };
    EXPECT_EQ(ids(QStringLiteral("TrueAnswer")), QList<int>({1, 3, 4, 5, 2}));
    EXPECT_EQ(ids(QStringLiteral("TrueAnswer DESC")), QList<int>({2, 4, 5, 3, 1}));
    EXPECT_EQ(ids(QStringLiteral("TrueAnswer DESC, ID DESC")), QList<int>({2, 5, 4, 3, 1}));
    // A text among the numbers: compared as the number it reads.
    Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET TrueAnswer = '-9' WHERE ID = 4"));
    rs().Requery();
    EXPECT_EQ(ids(QStringLiteral("TrueAnswer")), QList<int>({1, 4, 3, 5, 2}));
}

// Reading the same query again on an unchanged file may keep the rows it has; every way the file can
// change in between makes it read them again.
TEST_F(RecordsetTest, ARefreshSeesEveryChangeToTheFile) {
    const QString insert = QStringLiteral("INSERT INTO ") + Db::QuoteIdent(table) + QStringLiteral(" (ID, Question) VALUES (9, 'q9')");
    QSqlDatabase shared = Db::Database(Module1::ConnectionString);
    const std::pair<const char *, std::function<void()>> changes[] = {
        // First, while this connection has written nothing.
        {"the shared connection is opened anew",
         [&] {
             Db::CloseAll();
             shared = Db::Database(Module1::ConnectionString);
             Exec(insert);
         }},
        {"another connection commits", [&] { Exec(insert); }},
        {"this connection writes", [&] { Db::Exec(shared, insert); }},
        {"this connection's write is rolled back after a read inside it",
         [&] {
             Exec(insert);
             data.Refresh();
             Db::Transaction transaction(shared);
             Db::Exec(shared, QStringLiteral("DELETE FROM ") + Db::QuoteIdent(table));
             data.Refresh();
             ASSERT_EQ(rs().RecordCount(), 0);
         }},
        {"this connection changes the table's columns",
         [&] {
             Db::Exec(shared, QStringLiteral("ALTER TABLE ") + Db::QuoteIdent(table) + QStringLiteral(" ADD COLUMN Extra TEXT"));
             Exec(insert);
         }},
    };
    for (const auto &[change, make] : changes) {
        SCOPED_TRACE(change);
        Exec(QStringLiteral("DELETE FROM ") + Db::QuoteIdent(table) + QStringLiteral(" WHERE ID = 9"));
        data.Refresh();
        data.Refresh(); // the second read of an unchanged file
        ASSERT_EQ(rs().RecordCount(), 5);
        make();
        data.Refresh();
        EXPECT_EQ(rs().RecordCount(), 6);
        rs().MoveLast();
        EXPECT_EQ(rs().Value("ID").toInt(), 9);
    }
    EXPECT_GE(rs().FieldIndex(QStringLiteral("Extra")), 0);
}

// Two stamps in a row with nothing read between them: the commit of another connection shows.
TEST_F(RecordsetTest, AStampSeesAnotherConnectionsCommitAtOnce) {
    QSqlDatabase shared = Db::Database(Module1::ConnectionString);
    const auto before = Db::Stamp(shared);
    ASSERT_TRUE(before);
    EXPECT_EQ(Db::Stamp(shared), before);
    Exec(QStringLiteral("UPDATE setting SET passedit = passedit || 'x'"));
    EXPECT_NE(Db::Stamp(shared), before);
}

// The rows of the query before are kept, unchanged, for a list that goes back to them.
TEST_F(RecordsetTest, GoingBackToTheRowsBeforeShowsThemAsTheFileHasThem) {
    const QString all = data.RecordSource;
    const auto open = [this](const QString &source, const QVariantList &values = {}) {
        data.RecordSource = source;
        data.RecordSourceValues = values;
        data.Refresh();
    };
    rs().Sort(QStringLiteral("ID DESC"));
    rs().MoveLast();
    open(all + QStringLiteral(" WHERE ID = ?"), {2});
    ASSERT_EQ(rs().RecordCount(), 1);
    open(all);
    EXPECT_EQ(rs().RecordCount(), 5);
    EXPECT_EQ(rs().SortSpec(), QString()) << "opened afresh: the query's order";
    EXPECT_EQ(rs().AbsolutePosition(), 1);
    EXPECT_EQ(rs().Value("ID").toInt(), 1);
    open(all + QStringLiteral(" WHERE ID = ?"), {3});
    EXPECT_EQ(rs().Value("ID").toInt(), 3) << "other bound values are another query";
    Exec(QStringLiteral("UPDATE ") + Db::QuoteIdent(table) + QStringLiteral(" SET Question = 'changed' WHERE ID = 1"));
    open(all);
    EXPECT_EQ(rs().Value("Question").toString(), "changed");

    // Rows changed here without being written are not the file's.
    rs().AddNew();
    rs().CancelUpdate();
    rs().Requery();
    EXPECT_EQ(rs().RecordCount(), 5);
    QTableView grid;
    Bindings::BindGrid(&grid, &data);
    EXPECT_EQ(grid.model()->rowCount(), 5);
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
    // A count of the whole table is one row of no table either.
    data.RecordSource = QStringLiteral("SELECT count(*) AS n FROM ") + Db::QuoteIdent(table);
    data.Refresh();
    EXPECT_FALSE(rs().IsWritable());
    EXPECT_EQ(rs().Value("n").toInt(), 5);
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
