// Several workstations on one shared file: examinee processes each sitting exams that end in their
// report cards while other processes draw new exams back to back on a lesson of 100,000 questions,
// all through the exam window's own code. Prints stored / expected cards, the "try again?" and
// "keep waiting?" questions, the failed draws and the longest wait for another's lock.
//   stress [--examinees 8] [--cards 50] [--drawers 2] [--lesson 100000]
// Exits 0 when every card was stored, nothing was asked, no draw failed and no wait passed 2 s.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "Workstations.h"
#include "platform/App.h"

namespace {
int option(const QStringList &args, const QString &name, int fallback) {
    const int at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    App::initialise(app);
    if (const int code = Workstations::RunIfAsked(app.arguments()); code >= 0)
        return code;

    const QStringList args = app.arguments();
    QTemporaryDir temp;
    Workstations::Plan plan;
    plan.program = QCoreApplication::applicationFilePath();
    plan.shareRoot = temp.filePath(QStringLiteral("shares"));
    plan.examinees = option(args, QStringLiteral("--examinees"), plan.examinees);
    plan.cardsEach = option(args, QStringLiteral("--cards"), plan.cardsEach);
    plan.drawers = option(args, QStringLiteral("--drawers"), plan.drawers);
    plan.lessonSize = option(args, QStringLiteral("--lesson"), plan.lessonSize);
    std::printf("%d examinees x %d cards, %d drawers on a lesson of %d questions\n", plan.examinees,
                plan.cardsEach, plan.drawers, plan.lessonSize);
    Workstations::MakeFile(plan);
    const Workstations::Outcome o = Workstations::Run(plan);
    std::printf("%s\n", Workstations::Describe(o).toStdString().c_str());
    if (!o.errors.isEmpty())
        std::fprintf(stderr, "%s", o.errors.toStdString().c_str());
    const bool good = o.errors.isEmpty() && o.stored == o.expected && o.asked == 0 && o.failedDraws == 0 &&
                      o.otherMessages == 0 && o.longestCardWaitMs <= 2000 && o.longestDrawWaitMs <= 2000;
    std::printf("%s\n", good ? "passed" : "FAILED");
    return good ? 0 : 1;
}
