// Several workstations append report cards to one shared file at the same time.
#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "Workers.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "platform/Share.h"
#include "shell/ConnectionText.h"
#include "shell/SharedDatabase.h"

namespace {

// args: share root, worker number, rows to append
int appendReportCards(const QStringList &args) {
    Share::SetRoot(args.value(0));
    DataControl cards;
    cards.ConnectionString = ConnectionText::For(QStringLiteral("server"));
    cards.RecordSource = SharedDatabase::SelectAll(SharedDatabase::ReportCardTableName("3"));
    try {
        cards.Refresh();
        for (int i = 0; i < args.value(2).toInt(); ++i) {
            Recordset &rs = cards.Recordset();
            rs.AddNew();
            rs.SetValue("name", args.value(1));
            rs.SetValue("KID", i);
            rs.SetValue("QCount", 20);
            rs.Update();
        }
    } catch (const Db::DbError &e) {
        fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
const bool registered = Workers::Register("append-report-cards", appendReportCards);

using SharedFile = AppFixture;

TEST_F(SharedFile, WorkstationsAppendingAtOnceLoseNoRow) {
    ASSERT_TRUE(registered);
    MakeDatabase(false);
    constexpr int workers = 4, rows = 150;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 0; w < workers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->start(QCoreApplication::applicationFilePath(),
                 {"--worker", "append-report-cards", ShareRoot(), QString::number(w), QString::number(rows)});
        processes.push_back(std::move(p));
    }
    for (auto &p : processes) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM Karnameh3").toInt(), workers * rows);
    EXPECT_EQ(Scalar("SELECT count(DISTINCT name || '-' || KID) FROM Karnameh3").toInt(), workers * rows);
}

} // namespace
