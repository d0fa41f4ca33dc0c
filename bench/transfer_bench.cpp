// The bulk copy of 255 questions into a lesson of 100,000 questions, with the duplicate check of each
// one, against the same work written by hand (PlainCopy.h: the target's texts read once into a hash
// set, each entry looked up and appended, in one write transaction). Half of the 255 are duplicates
// (their texts differ from the target's only in spaces). Prints each time and their ratio.
#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "PlainCopy.h"
#include "RatioReporter.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "platform/Share.h"
#include "questions/QuestionTransfer.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {
constexpr int TargetRows = 100000;
constexpr int Copied = 255;
const QString Source = QStringLiteral("source");
const QString Target = QStringLiteral("target");

QSqlDatabase g_db;
QStringList g_entries;

QString table(const QString &lesson) { return Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)); }

void fill(const QString &lesson, int from, int to, const QString &format) {
    SharedDatabase::CreateQuestionTable(g_db, lesson);
    Db::Transaction transaction(g_db);
    const QString insert = QStringLiteral("INSERT INTO ") + table(lesson) +
                           QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, Answer5) "
                                          "VALUES (?, 'a', 'b', 'c', 'd', ?, 'why')");
    for (int i = from; i < to; ++i)
        Db::Exec(g_db, insert, {format.arg(i), i % 4 + 1});
    transaction.Commit();
}

// Takes the copied rows back out of the target, so every run starts from the same lesson.
void restoreTarget() {
    Db::Exec(g_db, QStringLiteral("DELETE FROM ") + table(Target) + QStringLiteral(" WHERE ID > ?"), {TargetRows});
}

void CopyQuestions(benchmark::State &state) {
    DataControl adodc2;
    adodc2.ConnectionString = Module1::ConnectionString;
    for (auto _ : state) {
        const auto outcome = QuestionTransfer::CopyEntries(adodc2, Source, Target, g_entries);
        if (outcome.Copied != Copied / 2) {
            state.SkipWithError("unexpected number copied");
            break;
        }
        state.PauseTiming();
        restoreTarget();
        state.ResumeTiming();
    }
    adodc2.Recordset().Close();
}

void PlainSql(benchmark::State &state) {
    for (auto _ : state) {
        if (PlainCopy(g_db, table(Source), table(Target), g_entries) != Copied / 2) {
            state.SkipWithError("unexpected number copied");
            break;
        }
        state.PauseTiming();
        restoreTarget();
        state.ResumeTiming();
    }
}

BENCHMARK(CopyQuestions)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainSql)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    Share::SetRoot(dir.path());
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("bench"));
    QDir(dir.path()).mkpath(QStringLiteral("bench/tellumo"));
    const QString path = dir.filePath(QStringLiteral("bench/tellumo/") + ConnectionText::DatabaseFileName);
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    g_db = SharedDatabase::OpenFile(path, QStringLiteral("bench"));
    fill(Target, 0, TargetRows, QStringLiteral("question %1"));
    // 128 of the source's questions are in the target but for their spaces; 127 are new.
    const int first = TargetRows - Copied / 2 - 1;
    fill(Source, first, first + Copied, QStringLiteral("question  %1 "));
    for (int i = first; i < first + Copied; ++i)
        g_entries << QStringLiteral("question  %1 ").arg(i);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-34s %12s %12s %8s\n", "", "copy ms", "plain ms", "ratio");
    reporter.PrintRatio("255 into 100,000", "CopyQuestions", "PlainSql");
    // Every handle on a connection goes before the connections are removed.
    g_db = QSqlDatabase();
    Db::CloseAll();
    benchmark::Shutdown();
    return 0;
}
