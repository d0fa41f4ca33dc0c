// A few workstations on one shared file at once, each a process running the exam window: examinees
// storing their report cards while another workstation draws new exams back to back.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "Workers.h"
#include "Workstations.h"

namespace {
const bool registered = Workers::Register(Workstations::ExamineeWorker, Workstations::Examinee) &&
                        Workers::Register(Workstations::DrawerWorker, Workstations::Drawer);

TEST(Workstations, ExamineesBesideADrawerLoseNoCardAndAreAskedNothing) {
    ASSERT_TRUE(registered);
    QTemporaryDir temp;
    Workstations::Plan plan;
    plan.program = QCoreApplication::applicationFilePath();
    plan.shareRoot = temp.filePath("shares");
    plan.examinees = 3;
    plan.cardsEach = 4;
    plan.drawers = 1;
    plan.lessonSize = 5000; // more than one piece of the draw's reading
    Workstations::MakeFile(plan);
    const Workstations::Outcome outcome = Workstations::Run(plan);
    SCOPED_TRACE(Workstations::Describe(outcome).toStdString());
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.toStdString();
    EXPECT_EQ(outcome.stored, 12);
    EXPECT_EQ(outcome.expected, 12);
    EXPECT_EQ(outcome.asked, 0);
    EXPECT_EQ(outcome.otherMessages, 0);
    EXPECT_EQ(outcome.failedDraws, 0);
    EXPECT_GE(outcome.draws, 1);
}
} // namespace
