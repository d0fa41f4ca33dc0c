// Reads that break off and rows whose reading back fails: a read that stops early is a failed read
// of its own kind, never a shorter list, and a row the file has taken is stored.
#include <QFile>
#include <QSqlQuery>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "StorageFaults.h"
#include "exams/QuestionDraw.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {

enum class Kind { Busy, Damaged, Other };

// The kind of a failure as the windows tell it apart.
Kind kindOf(const Db::DbError &error) {
    if (dynamic_cast<const Db::BusyError *>(&error))
        return Kind::Busy;
    if (dynamic_cast<const Db::DamagedError *>(&error))
        return Kind::Damaged;
    return Kind::Other;
}

// Runs work, which must fail with a Db::DbError, and gives that failure's kind.
std::optional<Kind> failureOf(const std::function<void()> &work) {
    try {
        work();
    } catch (const Db::DbError &error) {
        return kindOf(error);
    }
    return std::nullopt;
}

// A lesson of 2,000 questions, spread over some thirty pages of the file.
class ReadFailureTest : public AppFixture {
protected:
    static constexpr int Questions = 2000;
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        MakeLesson(lesson, Questions, 10);
        table = SharedDatabase::QuestionTableName(lesson);
        data.ConnectionString = Module1::ConnectionString;
        data.RecordSource = SharedDatabase::SelectAll(table);
    }
    // Damages the lesson's pages in the middle of its rows, with every connection closed.
    void damage() {
        Db::CloseAll();
        ASSERT_GE(StorageFaults::DamageTable(DatabasePath(), table), 8);
    }
    Recordset &rs() { return data.Recordset(); }
    QString lesson = QStringLiteral("damaged lesson");
    QString table;
    DataControl data;
};

TEST_F(ReadFailureTest, AReadThatBreaksOffIsAFailedReadOfItsKindAndLeavesNoRows) {
    data.Refresh();
    ASSERT_EQ(rs().RecordCount(), Questions);
    struct Case {
        const char *what;
        bool damages;
        QString source;
        Kind kind;
    };
    const Case cases[] = {
        // An expression that fails only at a later row: the statement starts well and stops midway.
        {"a row that cannot be computed", false,
         QStringLiteral("SELECT ID, CASE WHEN ID > 1500 THEN abs(-9223372036854775807 - 1) END AS x FROM ") +
             Db::QuoteIdent(table),
         Kind::Other},
        {"damaged pages", true, SharedDatabase::SelectAll(table), Kind::Damaged},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.damages)
            damage();
        data.RecordSource = c.source;
        EXPECT_EQ(failureOf([&] { data.Refresh(); }), c.kind);
        EXPECT_FALSE(rs().IsOpen());
        EXPECT_EQ(rs().RecordCount(), 0);
        // A requery of the same source fails the same way, never as a shorter list.
        EXPECT_EQ(failureOf([&] { rs().Open(Db::Database(Module1::ConnectionString), c.source); }), c.kind);
        EXPECT_EQ(rs().RecordCount(), 0);
    }
}

// Rows read outside a recordset break off the same way: the draw reads its lesson and writes nothing.
TEST_F(ReadFailureTest, TheDrawOfADamagedLessonFailsAndWritesNothing) {
    damage();
    const QByteArray before = StorageFaults::FileDigest(DatabasePath());
    const QSqlDatabase db = Db::Database(Module1::ConnectionString);
    EXPECT_EQ(failureOf([&] { QuestionDraw::Draw(db, table, 20); }), Kind::Damaged);
    Db::CloseAll();
    EXPECT_EQ(StorageFaults::FileDigest(DatabasePath()), before);
}

// A file that is no SQLite database is damaged, not busy: no one's lock is to be waited for.
TEST_F(ReadFailureTest, AForeignFileIsDamagedNotBusy) {
    Db::CloseAll();
    QFile file(DatabasePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'x'));
    file.close();
    EXPECT_EQ(failureOf([] { Db::Database(Module1::ConnectionString); }), Kind::Damaged);
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(ReadFailureTest, ARowWhoseReadBackFailsIsStoredOnceAndShowsWhatWasWritten) {
    data.Refresh();
    StorageFaults::FailingReadBack fault(Db::Database(Module1::ConnectionString), table);
    rs().AddNew();
    rs().SetValue(QStringLiteral("Question"), QStringLiteral("stored once"));
    rs().SetValue(QStringLiteral("TrueAnswer"), 2);
    EXPECT_NO_THROW(rs().Update());
    EXPECT_TRUE(fault.Refused());
    EXPECT_FALSE(rs().IsDirty());
    EXPECT_EQ(rs().Value(QStringLiteral("Question")).toString(), QStringLiteral("stored once"));
    // Moving on writes nothing more: the row is not pending any longer.
    rs().MoveFirst();
    rs().MoveLast();
    const QString count = QStringLiteral("SELECT count(*) FROM ") + Db::QuoteIdent(table) +
                          QStringLiteral(" WHERE Question = 'stored once' AND TrueAnswer = 2");
    EXPECT_EQ(Scalar(count).toInt(), 1);
    // The next reading shows the row with what the file gave it.
    rs().Requery();
    rs().MoveLast();
    EXPECT_EQ(rs().Value(QStringLiteral("ID")).toInt(), Questions + 1);
}

} // namespace
