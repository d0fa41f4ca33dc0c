// The exam's random draw against the plain SQLite statement that marks n random rows, on lessons
// of 1,000, 10,000 and 100,000 questions. Prints each pair's times and their ratio.
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"
#include "exams/QuestionDraw.h"
#include "platform/Db.h"
#include "shell/SharedDatabase.h"

namespace {
QSqlDatabase g_db;

QString lessonOf(int64_t rows) { return QStringLiteral("bench%1").arg(rows); }

void makeLesson(int64_t rows) {
    SharedDatabase::CreateQuestionTable(g_db, lessonOf(rows));
    Db::Transaction transaction(g_db);
    const QString insert = QStringLiteral("INSERT INTO ") + Db::QuoteIdent(SharedDatabase::QuestionTableName(lessonOf(rows))) +
                           QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer) VALUES (?, 'a', 'b', 'c', 'd', ?)");
    for (int64_t i = 0; i < rows; ++i)
        Db::Exec(g_db, insert, {QStringLiteral("question %1").arg(i), int(i % 4 + 1)});
    transaction.Commit();
}

void Draw(benchmark::State &state) {
    const QString table = SharedDatabase::QuestionTableName(lessonOf(state.range(0)));
    for (auto _ : state)
        if (!QuestionDraw::MarkRandomRows(g_db, table, int(state.range(1))))
            state.SkipWithError("too few rows");
}

// The same work in SQL alone: clear the marks and mark n rows in random order, in one transaction.
void PlainSql(benchmark::State &state) {
    const QString table = Db::QuoteIdent(SharedDatabase::QuestionTableName(lessonOf(state.range(0))));
    const QString clear = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET AfterRun=0 WHERE AfterRun<>0");
    const QString mark = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET AfterRun=-1 WHERE ID IN (SELECT ID FROM ") +
                         table + QStringLiteral(" ORDER BY random() LIMIT ?)");
    for (auto _ : state) {
        Db::Transaction transaction(g_db);
        Db::Exec(g_db, clear);
        Db::Exec(g_db, mark, {qlonglong(state.range(1))});
        transaction.Commit();
    }
}

void sizes(benchmark::internal::Benchmark *b) {
    for (int64_t rows : {1000, 10000, 100000})
        for (int64_t n : {20, 255})
            b->Args({rows, n});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(Draw)->Apply(sizes);
BENCHMARK(PlainSql)->Apply(sizes);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tellumo.dll"));
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    g_db = SharedDatabase::OpenFile(path, QStringLiteral("bench"));
    for (int64_t rows : {1000, 10000, 100000})
        makeLesson(rows);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-14s %12s %12s %8s\n", "rows/n", "draw ms", "plain ms", "ratio");
    for (int64_t rows : {1000, 10000, 100000})
        for (int64_t n : {20, 255}) {
            const std::string args = Arg(rows) + Arg(n);
            const auto draw = reporter.times.find("Draw" + args);
            const auto plain = reporter.times.find("PlainSql" + args);
            if (draw != reporter.times.end() && plain != reporter.times.end())
                std::printf("%-14s %12.3f %12.3f %8.2f\n", args.substr(1).c_str(), draw->second, plain->second,
                            draw->second / plain->second);
        }
    g_db.close();
    g_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    benchmark::Shutdown();
    return 0;
}
