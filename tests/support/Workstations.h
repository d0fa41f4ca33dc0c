#pragma once
// Several workstations on one shared file, each a process running the exam window's own code:
// examinees sitting exams that end in their report cards, and workstations drawing new exams on a
// large lesson back to back. Used by the stress program and, in a small form, by the tests.
#include <QString>
#include <QStringList>

namespace Workstations {

struct Plan {
    QString program;        // run as `program --worker NAME ARGS...`
    QString shareRoot;      // holds server/tellumo/tellumo.dll
    int examinees = 8;      // processes sitting exams
    int cardsEach = 50;     // exams, so report cards, per examinee
    int drawers = 2;        // processes drawing new exams until the examinees are done
    int lessonSize = 100000;
};

struct Outcome {
    int stored = 0;         // report-card rows in the file
    int expected = 0;
    int asked = 0;          // "try again?" and "keep waiting?" questions
    int failedDraws = 0;    // exams that could not be made
    int draws = 0;
    int otherMessages = 0;  // any other message a workstation showed
    qint64 longestCardWaitMs = 0; // of an examinee for another's lock
    qint64 longestDrawWaitMs = 0; // of a drawer
    QString errors;         // what failed processes wrote
};

// A new shared file at the plan's share with the two lessons and an empty report-card table.
void MakeFile(const Plan &plan);
// Runs the plan's processes to their end and counts what they left.
Outcome Run(const Plan &plan);
QString Describe(const Outcome &outcome);

// The workers' names and entries, for Workers::Register or a program's own --worker dispatch.
inline constexpr const char *ExamineeWorker = "examinee";
inline constexpr const char *DrawerWorker = "drawer";
int Examinee(const QStringList &args);
int Drawer(const QStringList &args);
// Runs a worker when the command line asks for one (a QApplication must exist); -1 when none is asked.
int RunIfAsked(const QStringList &arguments);

} // namespace Workstations
