// Where a teacher would feel the size of the shared file: the exam set-up's lesson choice on a lesson
// of 100,000 questions, the exam set-up opening with 2,000 active lessons, the start-up window
// showing, and in a class of 100,000 trainees with 1,000,000 report cards the trainee search by
// national code and by family name and the report-card tab showing one trainee's 100 cards. Each
// beside the plain work it needs (the SQL alone, the same window on a file of two lessons, a program
// that shows a bare Qt window, or the cards in a bare grid), with their ratio.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QSqlQueryModel>
#include <QTableView>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"
#include "exams/ExamForm.h"
#include "platform/App.h"
#include "platform/DataControl.h"
#include "platform/Modal.h"
#include "platform/Recordset.h"
#include "platform/Db.h"
#include "platform/Form.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "shell/frmadress.h"
#include "trainees/FilterForm.h"
#include "trainees/KaramoozList.h"

namespace {
const QString LargeLesson = QStringLiteral("large lesson");
constexpr int LargeLessonSize = 100000;
constexpr int ManyLessons = 2000;
constexpr int Trainees = 100000;
// The last trainees of the class have report cards, this many each; the searched one is the last.
constexpr int TraineesWithCards = 10000;
constexpr int CardsEach = 100;
constexpr int Searched = Trainees - 1;
const QString ClassNumber = QStringLiteral("1");

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

qint64 codeOf(int trainee) { return 1000000000LL + trainee * 7919LL; }
QString familyOf(int trainee) { return QStringLiteral("family %1").arg(trainee); }
QString table(const QString &name) { return Db::QuoteIdent(name); }

// The class of ClassNumber: trainees with IDs in order, and the cards of the last of them.
void makeClass() {
    Db::Transaction transaction(db());
    Db::Exec(db(), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                  "INSERT INTO %2 (ID, Name, Family, fathername, clase, codemeli, ShSH, Sabtdate) "
                                  "SELECT i + 1, 'name ' || i, 'family ' || i, 'father ' || i, 'first', "
                                  "1000000000 + i * 7919, i, '2024-03-20' FROM n")
                       .arg(Trainees - 1)
                       .arg(table(SharedDatabase::TraineeTableName(ClassNumber))));
    Db::Exec(db(), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                  "INSERT INTO %2 (name, codemeli, KID, Lesson, ExamDate, QCount, AnswerTime, "
                                  "FullTime, TAnswer, FAnswer, NAnswer, Emtiyaz) "
                                  "SELECT 'trainee', CAST(%3 + (%4 + i % %5) * 7919 AS TEXT), %3 + (%4 + i % %5) * 7919, "
                                  "'lesson ' || (i * 31 % 97), '1403/07/01', 20, '05:10', '13.33', i % 21, "
                                  "(20 - i % 21) / 2, 20 - i % 21 - (20 - i % 21) / 2, i % 21 FROM n")
                       .arg(TraineesWithCards * CardsEach - 1)
                       .arg(table(SharedDatabase::ReportCardTableName(ClassNumber)))
                       .arg(1000000000LL)
                       .arg(Trainees - TraineesWithCards)
                       .arg(TraineesWithCards));
    transaction.Commit();
}

KaramoozList &openList() {
    Module1::ClassNumberText = ClassNumber;
    KaramoozList &list = Forms::Get<KaramoozList>();
    list.Show();
    QCoreApplication::processEvents();
    return list;
}

// The search window over the list, as its search button leaves it (shown modally, here at once back).
FilterForm &openSearch(KaramoozList &list) {
    FilterForm::ShowFor(list.Adodc1, list.ui().SSTab);
    return Forms::Get<FilterForm>();
}

// The list back on the whole class, on its first tab.
void wholeClass(KaramoozList &list) {
    list.ui().SSTab->setCurrentIndex(KaramoozList::ListTab);
    list.Adodc1->RecordSource = SharedDatabase::SelectAll(SharedDatabase::TraineeTableName(ClassNumber));
    list.Adodc1->RecordSourceValues.clear();
    list.Adodc1->Refresh();
}

void closeList(KaramoozList &list) {
    Forms::Get<FilterForm>().Unload();
    list.Unload();
    settle();
}

void SearchByCode(benchmark::State &state) {
    KaramoozList &list = openList();
    FilterForm &search = openSearch(list);
    search.ui().Option1->setChecked(true);
    search.Option1_Click();
    search.ui().T1->setText(QString::number(codeOf(Searched)));
    for (auto _ : state) {
        state.PauseTiming();
        wholeClass(list);
        state.ResumeTiming();
        search.cmd_find_Click();
        list.ui().DataGrid2->repaint();
        state.PauseTiming();
        if (list.ui().SSTab->currentIndex() != KaramoozList::CardsTab ||
            list.Adodc2->Recordset().RecordCount() != CardsEach)
            state.SkipWithError("the search did not show the trainee's cards");
        state.ResumeTiming();
    }
    closeList(list);
}

void SearchByFamily(benchmark::State &state) {
    KaramoozList &list = openList();
    FilterForm &search = openSearch(list);
    search.ui().Option2->setChecked(true);
    search.Option2_Click();
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        wholeClass(list);
        // Another trainee each time: the list never goes back to rows it has just held.
        search.ui().T3->setText(familyOf(Searched - turn++ % 2));
        state.ResumeTiming();
        search.cmd_find_Click();
        state.PauseTiming();
        if (list.Adodc1->Recordset().RecordCount() != 1)
            state.SkipWithError("the search did not narrow the list to the trainee");
        state.ResumeTiming();
    }
    closeList(list);
}

void CardsTab(benchmark::State &state) {
    KaramoozList &list = openList();
    for (auto _ : state) {
        state.PauseTiming();
        list.ui().SSTab->setCurrentIndex(KaramoozList::ListTab);
        list.Adodc1->Recordset().SetAbsolutePosition(Searched + 1);
        state.ResumeTiming();
        list.ui().SSTab->setCurrentIndex(KaramoozList::CardsTab);
        list.ui().DataGrid2->repaint();
        state.PauseTiming();
        if (list.Adodc2->Recordset().RecordCount() != CardsEach)
            state.SkipWithError("the tab did not show the trainee's cards");
        state.ResumeTiming();
    }
    closeList(list);
}

// A trainee found by one bound query.
void findTrainee(const QString &condition, const QVariant &value) {
    QSqlQuery found = Db::Exec(db(), SharedDatabase::SelectAll(SharedDatabase::TraineeTableName(ClassNumber)) +
                                         QStringLiteral(" WHERE ") + condition,
                               {value});
    while (found.next())
        for (int f = 0; f < found.record().count(); ++f)
            benchmark::DoNotOptimize(found.value(f));
}

// The trainee's cards in lesson order in a shown grid whose columns fit their contents.
struct PlainCards {
    QTableView grid;
    QSqlQueryModel model;
    PlainCards() {
        grid.setModel(&model);
        grid.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        grid.resize(760, 300);
        grid.show();
        QCoreApplication::processEvents();
    }
    void show(qint64 code) {
        QSqlQuery cards(db());
        cards.prepare(SharedDatabase::SelectAll(SharedDatabase::ReportCardTableName(ClassNumber)) +
                      QStringLiteral(" WHERE KID=? ORDER BY Lesson"));
        cards.addBindValue(code);
        cards.exec();
        model.setQuery(std::move(cards));
        grid.repaint();
    }
};

void PlainSearchByCode(benchmark::State &state) {
    PlainCards cards;
    for (auto _ : state) {
        findTrainee(QStringLiteral("codemeli=?"), codeOf(Searched));
        cards.show(codeOf(Searched));
    }
}

void PlainSearchByFamily(benchmark::State &state) {
    for (auto _ : state)
        findTrainee(QStringLiteral("Family=? COLLATE NOCASE"), familyOf(Searched));
}

void PlainCardsTab(benchmark::State &state) {
    PlainCards cards;
    for (auto _ : state)
        cards.show(codeOf(Searched));
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
        // The file changed since the lesson was last counted: it is counted afresh.
        state.PauseTiming();
        Db::Exec(db(), QStringLiteral("INSERT INTO clase (name) VALUES ('bench')"));
        state.ResumeTiming();
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
void timed(benchmark::internal::Benchmark *b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(SearchByCode)->Apply(timed);
BENCHMARK(PlainSearchByCode)->Apply(timed);
BENCHMARK(SearchByFamily)->Apply(timed);
BENCHMARK(PlainSearchByFamily)->Apply(timed);
BENCHMARK(CardsTab)->Apply(timed);
BENCHMARK(PlainCardsTab)->Apply(timed);
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
    makeClass();
    Modal::SetHandler([](QDialog &) { return 0; });

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-28s %12s %12s %8s\n", "", "window ms", "plain ms", "ratio");
    reporter.PrintRatio("lesson choice, 100000 rows", "LessonChoice", "LessonChoicePlain");
    reporter.PrintRatio("set-up opens, 2000 lessons", "SetUpOpens", "SetUpOpensPlain");
    reporter.PrintRatio("set-up, 2000 against 2", "SetUpOpens", "SetUpOpensFew");
    reporter.PrintRatio("program to start-up shown", "StartupProgramShows", "BareProgramShows");
    reporter.PrintMedianRatio("search by code, 100000", "SearchByCode", "PlainSearchByCode");
    reporter.PrintMedianRatio("search by family, 100000", "SearchByFamily", "PlainSearchByFamily");
    reporter.PrintMedianRatio("report cards, 100 of 1000000", "CardsTab", "PlainCardsTab");
    Forms::DestroyAll();
    Db::CloseAll();
    benchmark::Shutdown();
    return 0;
}
