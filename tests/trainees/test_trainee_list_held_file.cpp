// The trainee list's steps while another workstation holds the file for a moment: each waits with
// the windows painting and the busy cursor, and then goes on as if the file had been free.
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "TraineeFixture.h"
#include "trainees/FilterForm.h"
#include "trainees/ListPrint.h"
#include "trainees/TraineeListReport.h"
#include "ui_FilterForm.h"
#include "ui_KaramoozList.h"

using namespace Qt::StringLiterals;

namespace {
class TraineeListHeldFileTest : public TraineeFixture {
protected:
    void SetUp() override {
        TraineeFixture::SetUp();
        SetSwitch(-1);
    }
};

TEST_F(TraineeListHeldFileTest, EachStepWaitsForAFileHeldForAMoment) {
    bool previewed = false;
    modal.On(TraineeListReport::WindowName, [&](QDialog &) { previewed = true; });
    struct Case {
        const char *what;
        std::function<void()> step;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"the report cards", [&] { MakeCurrent(3); u().SSTab->setCurrentIndex(KaramoozList::CardsTab); },
         [&] { EXPECT_EQ(u().SSTab->currentIndex(), KaramoozList::CardsTab); }},
        {"the list again", [&] { u().SSTab->setCurrentIndex(KaramoozList::ListTab); },
         [&] { EXPECT_EQ(GridIds(), (QList<int>{3, 7, 12})); }},
        {"the search",
         [&] {
             FilterForm::ShowFor(List().Adodc1, u().SSTab);
             ProcessEvents();
             auto &f = Forms::Get<FilterForm>().ui();
             QTest::mouseClick(f.Option2, Qt::LeftButton);
             f.T2->setText(Class().first().name);
             QTest::mouseClick(f.cmd_find, Qt::LeftButton);
         },
         [&] {
             EXPECT_EQ(GridIds(), (QList<int>{Class().first().id}));
             Forms::Get<FilterForm>().Unload();
         }},
        // The print's own reading, after the button's busy bar (whose length a loaded machine stretches).
        {"the print", [&] { ListPrint::HandOver(*List().Adodc1); }, [&] { EXPECT_TRUE(previewed); }},
    };
    OpenList();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        {
            FileLock other(DatabasePath(), 200);
            c.step();
            EXPECT_FALSE(other.Held()) << "went on while the file was held";
            EXPECT_GT(other.PaintsWhileHeld(), 0);
            EXPECT_TRUE(other.BusyCursorAtRelease());
        }
        c.check();
        EXPECT_TRUE(msgs.calls.empty());
    }
    List().Unload();
}
} // namespace
