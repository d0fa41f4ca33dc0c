#include <QAbstractItemModelTester>
#include <QTableView>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/Bindings.h"
#include "platform/DataControl.h"
#include "shell/Module1.h"

namespace {

// A grid follows the recordset: abandoning the row it shows must not write that row on the way.
class PendingRowCancelTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        for (const char *title : {"one", "two"})
            Exec(QStringLiteral("INSERT INTO notekaramooz (title) VALUES (?)"), {QString::fromLatin1(title)});
        data.ConnectionString = Module1::ConnectionString;
        data.RecordSource = QStringLiteral("SELECT * FROM notekaramooz");
        data.Refresh();
    }
    DataControl data;
};

TEST_F(PendingRowCancelTest, CancelUpdateUnderABoundGridWritesNothing) {
    QTableView grid;
    RecordsetModel *model = Bindings::BindGrid(&grid, &data, {{"title", "title"}});
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.show();
    Recordset &rs = data.Recordset();
    for (bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "a new row" : "a changed row");
        if (fresh)
            rs.AddNew();
        else
            rs.MoveLast();
        rs.SetValue(QStringLiteral("title"), QStringLiteral("typed"));
        rs.CancelUpdate();
        EXPECT_EQ(Scalar(QStringLiteral("SELECT count(*) FROM notekaramooz")).toInt(), 2);
        EXPECT_EQ(Scalar(QStringLiteral("SELECT count(*) FROM notekaramooz WHERE title='typed'")).toInt(), 0);
        EXPECT_EQ(model->rowCount(), 2);
        EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("two"));
        EXPECT_FALSE(rs.IsDirty());
    }
}

} // namespace
