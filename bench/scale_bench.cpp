// Where a teacher would feel the size of the shared file: the exam set-up's lesson choice on a lesson
// of 100,000 questions, the exam set-up opening with 2,000 active lessons, and the start-up window
// showing. Each beside the plain work it needs (the SQL alone, the same window on a file of two
// lessons, or a program that shows a bare Qt window), with their ratio.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"
#include "exams/ExamForm.h"
#include "platform/App.h"
#include "platform/Db.h"
#include "platform/Form.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "shell/frmadress.h"

namespace {
const QString LargeLesson = QStringLiteral("large lesson");
constexpr int LargeLessonSize = 100000;
constexpr int ManyLessons = 2000;

QSqlDatabase db() { return Db::Database(Module1::ConnectionString); }

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The shared file of server; with lessons > 2 the large lesson is the first of them.
void makeFile(const QString &shareRoot, const QString &server, int lessons) {
    Module1::ConnectionString = ConnectionText::For(server);
    const QString path = shareRoot + u'/' + server + QStringLiteral("/tellumo/") + ConnectionText::DatabaseFileName;
    QDir().mkpath(QFileInfo(path).path());
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    Db::Transaction transaction(db());
    SharedDatabase::CreateQuestionTable(db(), LargeLesson);
    for (int i = 1; i <= (lessons > 2 ? LargeLessonSize : 20); ++i)
        SharedDatabase::AddQuestion(db(), LargeLesson,
                                    {QStringLiteral("question %1 of a lesson that has many").arg(i), QStringLiteral("one"),
                                     QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four"),
                                     QStringLiteral("why")},
                                    (i - 1) % 4 + 1, i <= 20);
    for (int l = 0; l < lessons; ++l)
        Db::Exec(db(), QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, ?)"),
                 {l == 0 ? LargeLesson : QStringLiteral("lesson %1").arg(l), QStringLiteral("-1")});
    transaction.Commit();
}

ExamForm &openSetUp() {
    ExamForm &form = Forms::Get<ExamForm>();
    form.Show();
    QCoreApplication::processEvents();
    return form;
}

void LessonChoice(benchmark::State &state) {
    ExamForm &form = openSetUp();
    QComboBox *combo = form.ui().DarsCombo;
    const int at = combo->findText(LargeLesson);
    for (auto _ : state) {
        combo->setCurrentIndex(at);
        emit combo->activated(at);
    }
    if (form.ui().Text1->text() != QString::number(LargeLessonSize))
        state.SkipWithError("the lesson choice did not count the questions");
    form.Unload();
    settle();
}

// The two counts the lesson choice needs.
void LessonChoicePlain(benchmark::State &state) {
    const QString table = Db::QuoteIdent(SharedDatabase::QuestionTableName(LargeLesson));
    for (auto _ : state) {
        QSqlQuery all = Db::Exec(db(), QStringLiteral("SELECT count(*) FROM ") + table);
        QSqlQuery marked = Db::Exec(db(), QStringLiteral("SELECT count(*) FROM ") + table + SharedDatabase::MarkedRows);
        benchmark::DoNotOptimize(all.next() && marked.next());
    }
}

void setUpOpens(benchmark::State &state, const QString &server) {
    Module1::ConnectionString = ConnectionText::For(server);
    for (auto _ : state) {
        ExamForm &form = openSetUp();
        form.Widget()->repaint();
        form.Unload();
        settle();
    }
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("server"));
}
void SetUpOpens(benchmark::State &state) { setUpOpens(state, QStringLiteral("server")); }
// The same window on a file of two lessons: what the window itself costs.
void SetUpOpensFew(benchmark::State &state) { setUpOpens(state, QStringLiteral("few")); }

// The lessons' names and the settings row, read as plainly as SQL reads them.
void SetUpOpensPlain(benchmark::State &state) {
    for (auto _ : state) {
        QStringList names;
        QSqlQuery lessons = Db::Exec(db(), QStringLiteral("SELECT name FROM droos where yn='-1'"));
        while (lessons.next())
            names << lessons.value(0).toString();
        QSqlQuery setting = Db::Exec(db(), QStringLiteral("select * from setting"));
        benchmark::DoNotOptimize(setting.next());
    }
}

// A whole program run until its first window has painted: the start-up window as the program
// shows it, and a bare Qt window.
int showAndQuit(const QString &kind, int argc, char **argv) {
    QApplication app(argc, argv);
    if (kind == QStringLiteral("startup")) {
        App::initialise(app);
        frmadress startup;
        startup.Show();
        QCoreApplication::processEvents();
        startup.Widget()->repaint();
    } else {
        QWidget bare;
        bare.resize(400, 200);
        bare.show();
        QCoreApplication::processEvents();
        bare.repaint();
    }
    return 0;
}

void programShows(benchmark::State &state, const char *kind) {
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--show-and-quit"), QLatin1String(kind)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            state.SkipWithError("the child program failed");
    }
}
void StartupProgramShows(benchmark::State &state) { programShows(state, "startup"); }
void BareProgramShows(benchmark::State &state) { programShows(state, "bare"); }

BENCHMARK(LessonChoice)->Unit(benchmark::kMillisecond);
BENCHMARK(LessonChoicePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(SetUpOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(SetUpOpensFew)->Unit(benchmark::kMillisecond);
BENCHMARK(SetUpOpensPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupProgramShows)->Unit(benchmark::kMillisecond);
BENCHMARK(BareProgramShows)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--show-and-quit")
        return showAndQuit(QString::fromLatin1(argv[2]), argc, argv);
    QApplication app(argc, argv);
    App::initialise(app);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir temp;
    Share::SetRoot(temp.filePath(QStringLiteral("shares")));
    SavedSettings::SetFolder(temp.filePath(QStringLiteral("config")));
    Module1::SaveSetting(QStringLiteral("Qusetion_Count"), QStringLiteral("20"));
    Module1::SaveSetting(QStringLiteral("Answer_Time"), QStringLiteral("40"));
    Msg::SetHandler([](const Msg::Call &call) {
        std::fprintf(stderr, "message: %s\n", call.text.toStdString().c_str());
        return int(Msg::vbOK);
    });
    makeFile(temp.filePath(QStringLiteral("shares")), QStringLiteral("few"), 2);
    makeFile(temp.filePath(QStringLiteral("shares")), QStringLiteral("server"), ManyLessons);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-28s %12s %12s %8s\n", "", "window ms", "plain ms", "ratio");
    reporter.PrintRatio("lesson choice, 100000 rows", "LessonChoice", "LessonChoicePlain");
    reporter.PrintRatio("set-up opens, 2000 lessons", "SetUpOpens", "SetUpOpensPlain");
    reporter.PrintRatio("set-up, 2000 against 2", "SetUpOpens", "SetUpOpensFew");
    reporter.PrintRatio("program to start-up shown", "StartupProgramShows", "BareProgramShows");
    Forms::DestroyAll();
    Db::CloseAll();
    benchmark::Shutdown();
    return 0;
}
