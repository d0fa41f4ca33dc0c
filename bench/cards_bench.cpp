// One trainee's report cards out of a class card table of 1,000,000 rows (10,000 trainees with 100
// cards each), as the report-card tab loads them, against the plain SQLite statement that reads the
// same rows in the same order; on the table as the schema makes it (KID indexed) and without the index.
// Prints each pair's times and their ratio.
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"
#include "platform/Db.h"
#include "platform/Recordset.h"
#include "shell/SharedDatabase.h"
#include "trainees/KaramoozList.h"

namespace {
constexpr int Trainees = 10000;
constexpr int CardsEach = 100;
QSqlDatabase g_db;

// Class 3 keeps the schema's index on KID; class 4 has it dropped.
QString classOf(int64_t indexed) { return indexed ? QStringLiteral("3") : QStringLiteral("4"); }
qint64 codeOf(int trainee) { return 1000000000LL + trainee * 7919LL; }

void fillCards(const QString &classNumber) {
    const QString table = Db::QuoteIdent(SharedDatabase::ReportCardTableName(classNumber));
    Db::Transaction transaction(g_db);
    Db::Exec(g_db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                  "INSERT INTO %2 (name, codemeli, KID, Lesson, ExamDate, QCount, AnswerTime, "
                                  "FullTime, TAnswer, FAnswer, NAnswer, Emtiyaz) "
                                  "SELECT 'trainee ' || (i % %3), CAST(1000000000 + (i % %3) * 7919 AS TEXT), "
                                  "1000000000 + (i % %3) * 7919, 'lesson ' || (i * 31 % 97), '1403/07/01', 20, "
                                  "'05:10', '13.33', i % 21, (20 - i % 21) / 2, 20 - i % 21 - (20 - i % 21) / 2, "
                                  "i % 21 FROM n")
                           .arg(Trainees * CardsEach - 1)
                           .arg(table)
                           .arg(Trainees));
    transaction.Commit();
}

// The tab's own query, run into the recordset it sorts by lesson.
void TabLoading(benchmark::State &state) {
    const QString classNumber = classOf(state.range(0));
    Recordset cards;
    int trainee = 0;
    for (auto _ : state) {
        cards.Open(g_db, KaramoozList::CardSource(classNumber), {codeOf(trainee++ % Trainees)});
        cards.Sort(QStringLiteral("Lesson"));
        if (cards.RecordCount() != CardsEach)
            state.SkipWithError("wrong card count");
    }
}

// The same rows in SQL alone, every field of every row read.
void PlainSql(benchmark::State &state) {
    const QString sql = QStringLiteral("SELECT * FROM ") +
                        Db::QuoteIdent(SharedDatabase::ReportCardTableName(classOf(state.range(0)))) +
                        QStringLiteral(" WHERE KID=? ORDER BY Lesson");
    int trainee = 0;
    for (auto _ : state) {
        QSqlQuery query = Db::Exec(g_db, sql, {codeOf(trainee++ % Trainees)});
        int rows = 0;
        while (query.next()) {
            for (int f = 0; f < 12; ++f)
                benchmark::DoNotOptimize(query.value(f));
            ++rows;
        }
        if (rows != CardsEach)
            state.SkipWithError("wrong card count");
    }
}

void kinds(benchmark::internal::Benchmark *b) {
    b->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
}
BENCHMARK(TabLoading)->Apply(kinds);
BENCHMARK(PlainSql)->Apply(kinds);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tellumo.dll"));
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    g_db = SharedDatabase::OpenFile(path, QStringLiteral("bench"));
    fillCards(classOf(1));
    fillCards(classOf(0));
    Db::Exec(g_db, QStringLiteral("DROP INDEX ") + Db::QuoteIdent(SharedDatabase::ReportCardTableName(classOf(0)) +
                                                               QStringLiteral("_KID")));

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-14s %12s %12s %8s\n", "KID index", "tab ms", "plain ms", "ratio");
    for (const int indexed : {1, 0}) {
        const std::string arg = Arg(indexed);
        const auto tab = reporter.times.find("TabLoading" + arg);
        const auto plain = reporter.times.find("PlainSql" + arg);
        if (tab != reporter.times.end() && plain != reporter.times.end())
            std::printf("%-14s %12.3f %12.3f %8.2f\n", indexed ? "yes" : "no", tab->second, plain->second,
                        tab->second / plain->second);
    }
    g_db.close();
    g_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    benchmark::Shutdown();
    return 0;
}
