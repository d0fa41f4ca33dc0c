// Another workstation holding the shared file: its lock is waited for with the windows painting,
// never taken for a broken file, and never leaves a snapshot that cannot be written.
#include <QGuiApplication>
#include <QSqlQuery>
#include <QWidget>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {


class BusyFileTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        Exec("INSERT INTO Karnameh2 (name, KID) VALUES ('earlier', 1)");
        // The fixture deletes the windows left at the end.
        window = new QWidget;
        window->setObjectName("window");
        window->show();
        cards.ConnectionString = Module1::ConnectionString;
        cards.RecordSource = SharedDatabase::SelectAll(SharedDatabase::ReportCardTableName("2"));
    }
    void TearDown() override {
        window->hide();
        AppFixture::TearDown();
    }
    QWidget *window = nullptr;
    DataControl cards;
};

TEST_F(BusyFileTest, ALockIsWaitedOutWithTheWindowsPaintingAndTheRowsStayWritable) {
    FileLock other(DatabasePath(), 300);
    cards.Refresh();
    EXPECT_FALSE(other.Held());
    EXPECT_TRUE(other.BusyCursorAtRelease());
    EXPECT_GT(other.PaintsWhileHeld(), 0);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy cursor goes with the wait";
    EXPECT_GE(Db::LongestWaitMs(), 250);

    // The snapshot read under the lock writes like any other.
    Recordset &rs = cards.Recordset();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_TRUE(rs.IsWritable());
    rs.AddNew();
    rs.SetValue("name", "after the wait");
    rs.Update();
    EXPECT_EQ(Scalar("SELECT count(*) FROM Karnameh2").toInt(), 2);
}

TEST_F(BusyFileTest, EachKindOfWorkWaitsForTheLock) {
    cards.Refresh();
    const auto nothing = [] {};
    const std::vector<std::tuple<const char *, std::function<void()>, std::function<void()>>> work = {
        {"opening the file", [&] { cards.Recordset().Close(); Db::CloseAll(); }, [&] { cards.Refresh(); }},
        {"a refresh", nothing, [&] { cards.Refresh(); }},
        {"a row's update", nothing, [&] { Recordset &rs = cards.Recordset(); rs.SetValue("KID", 7); rs.Update(); }},
        {"a transaction", nothing, [&] {
             QSqlDatabase db = Db::Database(Module1::ConnectionString);
             Db::Transaction t(db);
             Db::Exec(db, "UPDATE Karnameh2 SET KID=8");
             t.Commit();
         }},
    };
    for (const auto &[what, before, run] : work) {
        before();
        FileLock other(DatabasePath(), 150);
        EXPECT_NO_THROW(run()) << what;
        EXPECT_FALSE(other.Held()) << what << " went on while the file was held";
        EXPECT_TRUE(other.BusyCursorAtRelease()) << what;
    }
    EXPECT_EQ(Scalar("SELECT KID FROM Karnameh2").toInt(), 8);
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(BusyFileTest, TheUserIsAskedOnceThePatienceIsSpentAndMayStopWaiting) {
    Db::SetBusyPatience(100);
    {
        // Yes: the wait goes on and the work is done.
        FileLock other(DatabasePath(), 400);
        for (int i = 0; i < 10; ++i)
            msgs.Answer(Msg::vbYes);
        EXPECT_NO_THROW(cards.Refresh());
        ASSERT_GE(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
        EXPECT_EQ(msgs.calls[0].style, 52);
        EXPECT_EQ(msgs.calls[0].title, "");
        EXPECT_TRUE(msgs.calls[0].titleGiven);
    }
    msgs.Clear();
    msgs.answers.clear();
    {
        // No: busy, which callers tell apart from a broken or missing file.
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        EXPECT_THROW(cards.Refresh(), Db::BusyError);
        EXPECT_EQ(msgs.calls.size(), 1u);
        EXPECT_TRUE(other.Held());
    }
    cards.RecordSource = "SELECT * FROM NoSuchTable";
    try {
        cards.Refresh();
        ADD_FAILURE() << "a missing table must fail";
    } catch (const Db::BusyError &) {
        ADD_FAILURE() << "a missing table is not a busy file";
    } catch (const Db::DbError &) {
    }
}

TEST_F(BusyFileTest, AWriteAheadLogFileIsSetBackToTheRollbackJournal) {
    {
        QSqlQuery wal(TestDb());
        ASSERT_TRUE(wal.exec("PRAGMA journal_mode=WAL"));
        ASSERT_TRUE(wal.next());
        ASSERT_EQ(wal.value(0).toString(), "wal");
    }
    Db::CloseAll();
    QSqlDatabase db = Db::Database(Module1::ConnectionString);
    QSqlQuery mode = Db::Exec(db, "PRAGMA journal_mode");
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), "delete");
}

} // namespace
