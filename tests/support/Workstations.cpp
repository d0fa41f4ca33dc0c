#include "Workstations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <memory>
#include <vector>

#include "exams/ChartForm.h"
#include "exams/ExamTexts.h"
#include "exams/RunExamForm.h"
#include "platform/App.h"
#include "platform/BusyMessages.h"
#include "platform/Db.h"
#include "platform/Form.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "shell/ConnectionText.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

namespace Workstations {
namespace {
const QString KeptLesson = QStringLiteral("kept set");
const QString LargeLesson = QStringLiteral("large lesson");
constexpr int KeptQuestions = 3;
constexpr int DrawnQuestions = 20;

QString filePath(const QString &shareRoot) {
    return shareRoot + QStringLiteral("/server/tellumo/") + ConnectionText::DatabaseFileName;
}

// What one workstation met, printed as one line for the parent.
struct Tally {
    int asked = 0, failed = 0, draws = 0, other = 0;
    QString Line() const {
        return QStringLiteral("tally asked=%1 failed=%2 draws=%3 other=%4 longest=%5")
            .arg(asked).arg(failed).arg(draws).arg(other).arg(Db::LongestWaitMs());
    }
};

// The workstation's own settings, connection and answers: every retry or wait question is counted and
// answered Yes, the review is declined, a leave is confirmed.
void setUp(const QString &shareRoot, const QString &id, Tally &tally) {
    Share::SetRoot(shareRoot);
    SavedSettings::SetFolder(shareRoot + QStringLiteral("/../config-") + id);
    Module1::SaveSetting(QStringLiteral("T_Emtiyaz"), QStringLiteral("1"));
    Module1::SaveSetting(QStringLiteral("F_Emtiyaz"), QStringLiteral("0"));
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("server"));
    Module1::ClassNumberText = QStringLiteral("3");
    App::SetEndHandler([](int) {});
    Modal::SetHandler([](QDialog &dialog) {
        dialog.show();
        QCoreApplication::processEvents(); // the first activation
        return 0;
    });
    Msg::SetHandler([&tally](const Msg::Call &call) {
        if (call.text == ExamTexts::StoreFailed || call.text == Db::KeepWaitingQuestion) {
            ++tally.asked;
            return int(Msg::vbYes);
        }
        if (call.text == ExamTexts::ReviewQuestion)
            return int(Msg::vbNo);
        if (call.text == ExamTexts::LeaveExamQuestion)
            return int(Msg::vbYes);
        ++tally.other;
        fprintf(stderr, "message: %s\n", call.text.toStdString().c_str());
        return int(Msg::vbOK);
    });
}

// The exam set-up's part: the shared state it leaves for the exam window.
RunExamForm &startExam(const QString &lesson, int questions, int startMode, const QString &trainee, qint64 code) {
    Module1::CurrentLessonName = lesson;
    Module1::SelectedTraineeName = trainee;
    Module1::EnteredNationalCode = QString::number(code);
    Module1::QuestionCount = uint8_t(questions);
    Module1::SecondsPerQuestion = 40;
    Module1::TotalMinutesText = QString::number(questions * 40 / 60);
    Module1::StartMode = uint8_t(startMode);
    RunExamForm &form = Forms::Get<RunExamForm>();
    form.ShowModal();
    return form;
}

void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

Tally parseTally(const QString &output) {
    Tally sum;
    static const QRegularExpression line(
        QStringLiteral(R"(tally asked=(\d+) failed=(\d+) draws=(\d+) other=(\d+) longest=(\d+))"));
    const auto m = line.match(output);
    if (m.hasMatch()) {
        sum.asked = m.captured(1).toInt();
        sum.failed = m.captured(2).toInt();
        sum.draws = m.captured(3).toInt();
        sum.other = m.captured(4).toInt();
    }
    return sum;
}

qint64 longestOf(const QString &output) {
    static const QRegularExpression longest(QStringLiteral(R"(longest=(\d+))"));
    const auto m = longest.match(output);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}
} // namespace

// args: share root, workstation number, exams to sit
int Examinee(const QStringList &args) {
    Tally tally;
    setUp(args.value(0), QStringLiteral("examinee-") + args.value(1), tally);
    const int exams = args.value(2).toInt();
    for (int e = 0; e < exams; ++e) {
        RunExamForm &form = startExam(KeptLesson, KeptQuestions, 1, QStringLiteral("examinee ") + args.value(1),
                                      args.value(1).toLongLong() * 100000 + e);
        if (!form.IsLoaded())
            ++tally.failed;
        // Every question left blank; the last Next stores the card and goes on to the chart.
        while (form.IsLoaded())
            form.Cmd_NextQ_Click();
        if (Forms::Exists<ChartForm>())
            Forms::Get<ChartForm>().Unload();
        settle();
    }
    printf("%s\n", Tally(tally).Line().toStdString().c_str());
    return 0;
}

// args: share root, workstation number, the file whose appearance ends the drawing
int Drawer(const QStringList &args) {
    Tally tally;
    setUp(args.value(0), QStringLiteral("drawer-") + args.value(1), tally);
    do {
        RunExamForm &form = startExam(LargeLesson, DrawnQuestions, 2, QStringLiteral("drawer"), 1);
        ++tally.draws;
        if (form.IsLoaded())
            form.Cmd_Cancel_Click();
        else
            ++tally.failed;
        settle();
    } while (!QFile::exists(args.value(2)));
    printf("%s\n", tally.Line().toStdString().c_str());
    return 0;
}

int RunIfAsked(const QStringList &arguments) {
    if (arguments.size() < 3 || arguments.at(1) != QStringLiteral("--worker"))
        return -1;
    const QStringList args = arguments.mid(3);
    if (arguments.at(2) == QLatin1String(ExamineeWorker))
        return Examinee(args);
    if (arguments.at(2) == QLatin1String(DrawerWorker))
        return Drawer(args);
    return 99;
}

void MakeFile(const Plan &plan) {
    const QString path = filePath(plan.shareRoot);
    QDir().mkpath(QFileInfo(path).path());
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    const QString name = QStringLiteral("make-workstations-file");
    {
        QSqlDatabase db = SharedDatabase::OpenFile(path, name);
        Db::Transaction transaction(db);
        for (const auto &[lesson, size, marked] : {std::tuple{KeptLesson, 10, KeptQuestions},
                                                   std::tuple{LargeLesson, plan.lessonSize, 0}}) {
            Db::Exec(db, QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, '-1')"), {lesson});
            SharedDatabase::CreateQuestionTable(db, lesson);
            for (int i = 1; i <= size; ++i)
                SharedDatabase::AddQuestion(db, lesson,
                                            {QStringLiteral("question %1").arg(i), QStringLiteral("one"),
                                             QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")},
                                            (i - 1) % 4 + 1, i <= marked);
        }
        transaction.Commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

Outcome Run(const Plan &plan) {
    Outcome outcome;
    outcome.expected = plan.examinees * plan.cardsEach;
    const QString stop = plan.shareRoot + QStringLiteral("/stop-drawing");
    QFile::remove(stop);
    auto start = [&](const char *worker, int n, const QString &last) {
        auto p = std::make_unique<QProcess>();
        // Qt's warnings could fill a pipe that no one reads while another process is waited for.
        const QString log = plan.shareRoot + QStringLiteral("/%1-%2.log").arg(QLatin1String(worker)).arg(n);
        p->setProperty("log", log);
        p->setStandardErrorFile(log);
        p->start(plan.program, {QStringLiteral("--worker"), QLatin1String(worker), plan.shareRoot, QString::number(n), last});
        return p;
    };
    std::vector<std::unique_ptr<QProcess>> drawers, examinees;
    for (int d = 0; d < plan.drawers; ++d)
        drawers.push_back(start(DrawerWorker, d, stop));
    for (int e = 0; e < plan.examinees; ++e)
        examinees.push_back(start(ExamineeWorker, e + 1, QString::number(plan.cardsEach)));
    auto collect = [&](QProcess &p, qint64 &longest) {
        const bool finished = p.waitForFinished(-1);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            QFile log(p.property("log").toString());
            log.open(QIODevice::ReadOnly);
            outcome.errors += QStringLiteral("a workstation failed (%1): ").arg(p.exitCode()) +
                              QString::fromUtf8(log.readAll()) + u'\n';
        }
        const Tally t = parseTally(out);
        outcome.asked += t.asked;
        outcome.failedDraws += t.failed;
        outcome.draws += t.draws;
        outcome.otherMessages += t.other;
        longest = std::max(longest, longestOf(out));
    };
    for (auto &p : examinees)
        collect(*p, outcome.longestCardWaitMs);
    QFile(stop).open(QIODevice::WriteOnly);
    for (auto &p : drawers)
        collect(*p, outcome.longestDrawWaitMs);

    const QString name = QStringLiteral("count-workstations-file");
    {
        QSqlDatabase db = SharedDatabase::OpenFile(filePath(plan.shareRoot), name);
        QSqlQuery count = Db::Exec(db, QStringLiteral("SELECT count(*) FROM Karnameh3"));
        outcome.stored = count.next() ? count.value(0).toInt() : -1;
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

QString Describe(const Outcome &o) {
    return QStringLiteral("stored %1 / expected %2 report cards; %3 questions asked; %4 of %5 draws failed; "
                          "%6 other messages; longest wait of an examinee %7 ms, of a drawer %8 ms")
        .arg(o.stored).arg(o.expected).arg(o.asked).arg(o.failedDraws).arg(o.draws).arg(o.otherMessages)
        .arg(o.longestCardWaitMs).arg(o.longestDrawWaitMs);
}

} // namespace Workstations
