// The question bank's windows on large lessons, driven through their own code, each beside the plain
// work a careful hand-written program does for the same result, with their ratio (medians; the
// refresh's fixed busy animation is left out, it is a delay by design):
// - the bank window opening on its first lesson of 100,000 questions (plain: every row read once);
// - its lesson choice on that lesson, and the browse window's on a lesson of 255 (the same);
// - the browse window copying the lesson of 100,000 into memory (plain: every row read once into
//   the arrays);
// - the management page showing the target's count (plain: a count query);
// - Copy pressed on the management page, 255 picked questions into the lesson of 100,000, half of
//   them duplicates but for spaces (plain: PlainCopy.h, and the target counted for its label).
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "PlainCopy.h"
#include "RatioReporter.h"
#include "platform/Db.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Share.h"
#include "questions/EditPassword.h"
#include "questions/QuestionForm.h"
#include "questions/QuestionManagementPage.h"
#include "questions/frmq2.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "ui_QuestionManagementPage.h"

namespace {
QSqlDatabase g_db;
constexpr int LargeSize = 100000;
constexpr int Picked = 255;
// The large lesson is the first active lesson: the bank window opens on it.
const QString Large = QStringLiteral("bench large");
const QString Small = QStringLiteral("bench small");
const QString Source = QStringLiteral("bench source");
QStringList g_entries;

QString table(const QString &lesson) { return Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)); }

void makeLesson(const QString &lesson, int from, int to, const QString &format) {
    Db::Exec(g_db, QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, '-1')"), {lesson});
    SharedDatabase::CreateQuestionTable(g_db, lesson);
    Db::Transaction transaction(g_db);
    const QString insert = QStringLiteral("INSERT INTO ") + table(lesson) +
                           QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, Answer5) "
                                          "VALUES (?, 'a', 'b', 'c', 'd', ?, 'e')");
    for (int i = from; i < to; ++i)
        Db::Exec(g_db, insert, {format.arg(i), i % 4 + 1});
    transaction.Commit();
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Another workstation changes the file: what was read before is read afresh.
void changeFile() { Db::Exec(g_db, QStringLiteral("INSERT INTO clase (name) VALUES ('bench')")); }

// Each choice comes from another lesson, on a file changed since the chosen one was last read.
void choose(QuestionBankForm &window, const QString &lesson, benchmark::State &state) {
    auto &u = window.ui();
    const QString other = lesson == Small ? Source : Small;
    for (auto _ : state) {
        state.PauseTiming();
        u.DarsCombo->setCurrentIndex(u.DarsCombo->findText(other));
        window.DarsCombo_Click();
        changeFile();
        u.DarsCombo->setCurrentIndex(u.DarsCombo->findText(lesson));
        state.ResumeTiming();
        window.DarsCombo_Click();
    }
    window.Unload();
    settle();
}

void BankWindowOpens(benchmark::State &state) {
    QuestionForm &window = Forms::Get<QuestionForm>();
    for (auto _ : state) {
        window.Show();
        QCoreApplication::processEvents();
        if (window.ui().CountLAB->text() != QString::number(LargeSize))
            state.SkipWithError("the window did not count the first lesson");
        state.PauseTiming();
        window.Unload();
        settle();
        state.ResumeTiming();
    }
}
void BankWindowChoice(benchmark::State &state) { choose(Forms::Get<QuestionForm>(), Large, state); }
void BrowseWindowChoice(benchmark::State &state) { choose(Forms::Get<frmq2>(), Small, state); }
void BrowseWindowChoiceLarge(benchmark::State &state) {
    choose(Forms::Get<frmq2>(), Large, state);
    if (Module1::QuestionCount != LargeSize)
        state.SkipWithError("the lesson was not copied into memory");
}

// Every field of every row, in record-id order, kept row by row.
void readRows(const QString &lesson) {
    QSqlQuery query(g_db);
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT * FROM ") + table(lesson) + QStringLiteral(" ORDER BY ID"));
    const int fields = query.record().count();
    std::vector<QVector<QVariant>> rows;
    while (query.next()) {
        QVector<QVariant> row(fields);
        for (int f = 0; f < fields; ++f)
            row[f] = query.value(f);
        rows.push_back(std::move(row));
    }
    benchmark::DoNotOptimize(rows.data());
}
void PlainSelectLarge(benchmark::State &state) {
    for (auto _ : state)
        readRows(Large);
}
void PlainSelectSmall(benchmark::State &state) {
    for (auto _ : state)
        readRows(Small);
}

// The window's own reads beside the lesson: the settings row and the active lessons' names.
void PlainOpens(benchmark::State &state) {
    for (auto _ : state) {
        QSqlQuery setting = Db::Exec(g_db, QStringLiteral("select * from setting"));
        benchmark::DoNotOptimize(setting.next());
        QStringList names;
        for (QSqlQuery lessons = Db::Exec(g_db, QStringLiteral("SELECT name FROM droos where yn='-1'"));
             lessons.next();)
            names << lessons.value(0).toString();
        readRows(Large);
    }
}

// The questions, their options and the correct options with the record ids, as the arrays keep them.
void PlainIntoMemory(benchmark::State &state) {
    for (auto _ : state) {
        QSqlQuery query(g_db);
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, ID FROM ") +
                   table(Large) + QStringLiteral(" ORDER BY ID"));
        std::vector<QString> questions;
        std::vector<std::array<QString, 4>> answers;
        std::vector<std::pair<int, int>> options;
        while (query.next()) {
            questions.push_back(query.value(0).toString());
            answers.push_back({query.value(1).toString(), query.value(2).toString(), query.value(3).toString(),
                               query.value(4).toString()});
            options.emplace_back(query.value(5).toInt(), query.value(6).toInt());
        }
        benchmark::DoNotOptimize(options.data());
    }
}

QuestionManagementPage &managementPage() {
    frmq2 &window = Forms::Get<frmq2>();
    window.Load();
    return *window.Management;
}

void pick(QComboBox *combo, const QString &lesson) { combo->setCurrentIndex(combo->findText(lesson)); }

void TargetChosen(benchmark::State &state) {
    QuestionManagementPage &page = managementPage();
    for (auto _ : state) {
        state.PauseTiming();
        pick(page.ui().Comboin, Small);
        page.Comboin_Click();
        changeFile();
        pick(page.ui().Comboin, Large);
        state.ResumeTiming();
        page.Comboin_Click();
    }
    if (page.ui().Label21->text() != QString::number(LargeSize))
        state.SkipWithError("the target's count is not shown");
}

int countOf(const QString &lesson) {
    QSqlQuery count = Db::Exec(g_db, QStringLiteral("SELECT count(*) FROM ") + table(lesson));
    return count.next() ? count.value(0).toInt() : -1;
}

void PlainTargetCount(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(countOf(Large));
}

// Takes the copied rows back out of the target, so every run starts from the same lesson.
void restoreTarget() { Db::Exec(g_db, QStringLiteral("DELETE FROM ") + table(Large) + QStringLiteral(" WHERE ID > ?"), {LargeSize}); }

void CopyPressed(benchmark::State &state) {
    QuestionManagementPage &page = managementPage();
    auto &u = page.ui();
    pick(u.Combofrom, Source);
    page.Combofrom_Click();
    pick(u.Comboin, Large);
    page.Comboin_Click();
    for (auto _ : state) {
        state.PauseTiming();
        u.ListQ->selectAll();
        state.ResumeTiming();
        page.cmdcopy_Click();
        state.PauseTiming();
        if (u.lblco->text() != QString::number(Picked / 2) || u.Label21->text() != QString::number(LargeSize + Picked / 2))
            state.SkipWithError("unexpected number copied");
        restoreTarget();
        state.ResumeTiming();
    }
}

void PlainCopyPressed(benchmark::State &state) {
    for (auto _ : state) {
        const int copied = PlainCopy(g_db, table(Source), table(Large), g_entries);
        benchmark::DoNotOptimize(countOf(Large));
        state.PauseTiming();
        if (copied != Picked / 2)
            state.SkipWithError("unexpected number copied");
        restoreTarget();
        state.ResumeTiming();
    }
}

void timed(benchmark::internal::Benchmark *b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BankWindowOpens)->Apply(timed);
BENCHMARK(PlainOpens)->Apply(timed);
BENCHMARK(BankWindowChoice)->Apply(timed);
BENCHMARK(PlainSelectLarge)->Apply(timed);
BENCHMARK(BrowseWindowChoice)->Apply(timed);
BENCHMARK(PlainSelectSmall)->Apply(timed);
BENCHMARK(BrowseWindowChoiceLarge)->Apply(timed);
BENCHMARK(PlainIntoMemory)->Apply(timed);
BENCHMARK(TargetChosen)->Apply(timed);
BENCHMARK(PlainTargetCount)->Apply(timed);
BENCHMARK(CopyPressed)->Apply(timed);
BENCHMARK(PlainCopyPressed)->Apply(timed);

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
    makeLesson(Large, 0, LargeSize, QStringLiteral("question %1"));
    makeLesson(Small, 0, 255, QStringLiteral("question %1"));
    // Half of the picked questions are in the large lesson but for their spaces; half are new.
    const int first = LargeSize - Picked / 2 - 1;
    makeLesson(Source, first, first + Picked, QStringLiteral("question  %1 "));
    for (int i = first; i < first + Picked; ++i)
        g_entries << QStringLiteral("question  %1 ").arg(i);
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("server"));
    Msg::SetHandler([](const Msg::Call &call) {
        // The copy's confirmation is the one question asked.
        if (call.style & Msg::vbYesNo)
            return int(Msg::vbYes);
        std::fprintf(stderr, "message: %s\n", qPrintable(call.text));
        return int(Msg::vbOK);
    });
    Modal::SetHandler([](QDialog &dialog) {
        if (dialog.objectName() == QStringLiteral("EditPasswordPrompt")) {
            auto &prompt = Forms::Get<EditPasswordPrompt>();
            prompt.ui().txtpassword->setText(QStringLiteral("1234"));
            prompt.cmdok_Click();
        }
        return 0;
    });
    QuestionBankForm::RefreshSteps = 0;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-34s %12s %12s %8s\n", "median", "window ms", "plain ms", "ratio");
    const char *rows[][3] = {
        {"bank window opens, 100000", "BankWindowOpens", "PlainOpens"},
        {"bank lesson choice, 100000", "BankWindowChoice", "PlainSelectLarge"},
        {"browse lesson choice, 255", "BrowseWindowChoice", "PlainSelectSmall"},
        {"browse into memory, 100000", "BrowseWindowChoiceLarge", "PlainIntoMemory"},
        {"target chosen, 100000", "TargetChosen", "PlainTargetCount"},
        {"copy pressed, 255 into 100000", "CopyPressed", "PlainCopyPressed"},
    };
    for (const auto &row : rows)
        reporter.PrintMedianRatio(row[0], row[1], row[2]);
    Forms::DestroyAll();
    Module1::ResetAll();
    // Every handle on a connection goes before the connections are removed.
    g_db = QSqlDatabase();
    Db::CloseAll();
    benchmark::Shutdown();
    return 0;
}
