// The question bank's lesson choice against the plain SQLite statement that reads the same rows:
// the bank window on a lesson of 100,000 questions (without the fixed busy animation), and the
// browse window copying a lesson of 255 questions into memory. Prints each pair's ratio.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"
#include "platform/Db.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Share.h"
#include "questions/QuestionForm.h"
#include "questions/frmq2.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace {
QSqlDatabase g_db;
const QString Large = QStringLiteral("bench large");
const QString Small = QStringLiteral("bench small");

void makeLesson(const QString &lesson, int rows) {
    Db::Exec(g_db, QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, '-1')"), {lesson});
    SharedDatabase::CreateQuestionTable(g_db, lesson);
    Db::Transaction transaction(g_db);
    const QString insert = QStringLiteral("INSERT INTO ") + Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)) +
                           QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, Answer5) "
                                          "VALUES (?, 'a', 'b', 'c', 'd', ?, 'e')");
    for (int i = 0; i < rows; ++i)
        Db::Exec(g_db, insert, {QStringLiteral("question %1").arg(i), i % 4 + 1});
    transaction.Commit();
}

void choose(QuestionBankForm &window, const QString &lesson, benchmark::State &state) {
    auto &u = window.ui();
    u.DarsCombo->setCurrentIndex(u.DarsCombo->findText(lesson));
    for (auto _ : state)
        window.DarsCombo_Click();
}

void BankWindowChoice(benchmark::State &state) { choose(Forms::Get<QuestionForm>(), Large, state); }
void BrowseWindowChoice(benchmark::State &state) { choose(Forms::Get<frmq2>(), Small, state); }

// Every field of every row, in record-id order.
void plainSelect(const QString &lesson, benchmark::State &state) {
    const QString sql = QStringLiteral("SELECT * FROM ") + Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)) +
                        QStringLiteral(" ORDER BY ID");
    for (auto _ : state) {
        QSqlQuery query(g_db);
        query.setForwardOnly(true);
        query.exec(sql);
        const int fields = query.record().count();
        std::vector<QVariant> values;
        while (query.next())
            for (int f = 0; f < fields; ++f)
                values.push_back(query.value(f));
        benchmark::DoNotOptimize(values.data());
    }
}
void PlainSelectLarge(benchmark::State &state) { plainSelect(Large, state); }
void PlainSelectSmall(benchmark::State &state) { plainSelect(Small, state); }

BENCHMARK(BankWindowChoice)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainSelectLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BrowseWindowChoice)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainSelectSmall)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("shares/server/tellumo"));
    Share::SetRoot(dir.filePath(QStringLiteral("shares")));
    const QString path = dir.filePath(QStringLiteral("shares/server/tellumo/") + ConnectionText::DatabaseFileName);
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    g_db = SharedDatabase::OpenFile(path, QStringLiteral("bench"));
    makeLesson(Large, 100000);
    makeLesson(Small, 255);
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("server"));
    Msg::SetHandler([](const Msg::Call &call) {
        std::fprintf(stderr, "message: %s\n", qPrintable(call.text));
        return int(Msg::vbOK);
    });
    Modal::SetHandler([](QDialog &) { return 0; });
    // The fixed animation is a delay by design, the same for every lesson: it is left out here.
    QuestionBankForm::RefreshSteps = 0;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-22s %12s %12s %8s\n", "lesson choice", "window ms", "plain ms", "ratio");
    const std::pair<const char *, const char *> pairs[] = {{"BankWindowChoice", "PlainSelectLarge"},
                                                           {"BrowseWindowChoice", "PlainSelectSmall"}};
    for (const auto &[window, plain] : pairs) {
        const auto w = reporter.times.find(window), p = reporter.times.find(plain);
        if (w != reporter.times.end() && p != reporter.times.end())
            std::printf("%-22s %12.3f %12.3f %8.2f\n", window, w->second, p->second, w->second / p->second);
    }
    Forms::DestroyAll();
    Db::CloseAll();
    g_db.close();
    g_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    benchmark::Shutdown();
    return 0;
}
