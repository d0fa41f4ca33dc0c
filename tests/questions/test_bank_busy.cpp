// Both question bank windows while another workstation holds the shared file: each step waits with
// the window painting, and a wait the user gives up is told as busy with nothing typed lost.
#include <QTabWidget>
#include <functional>

#include "QuestionBankSupport.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString Lesson = u"مباني کامپيوتر"_s;
const QString Other = u"رياضي"_s;
const QString ConfirmDelete = u" آيا مطمئن به حذف اين گزينه از ليست هستيد ؟   "_s;

class BankBusyTest : public QuestionBankTest {
protected:
    void SetUp() override {
        QuestionBankTest::SetUp();
        MakeLesson(Lesson, 10);
        MakeLesson(Other, 3);
        UnlockedFlag = 1;
    }

    template <class W> W &details() { return QuestionBankTest::details<W>(Lesson); }

    int before = 0; // the lesson's rows as a case starts

    int rows(const QString &lesson = Lesson) {
        return Scalar(u"SELECT COUNT(*) FROM "_s + Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson))).toInt();
    }

    // The user types a new question on the details page, its text named after the window.
    void startNew(QuestionBankForm &w) {
        click(w, w.ui().Toolbar2, 5);
        Typed typed;
        typed.question += w.Name();
        type(w, typed);
        w.ui().tq->setProperty("typed", typed.question);
    }
    void deleteCurrent(QuestionBankForm &w) {
        answerPassword(u"1234"_s);
        msgs.Answer(Msg::vbYes);
        click(w, w.ui().Toolbar2, 2);
    }

    // Each step of the window, run while the file is held for a moment, goes through once the file is free.
    template <class W> void eachStepWaits() {
        SCOPED_TRACE(typeid(W).name());
        const auto held = [this](const char *what, const std::function<void()> &step) {
            FileLock other(DatabasePath(), 200);
            step();
            EXPECT_FALSE(other.Held()) << what << " went on while the file was held";
            EXPECT_GT(other.PaintsWhileHeld(), 0) << what;
            EXPECT_TRUE(other.BusyCursorAtRelease()) << what;
        };
        W &w = details<W>();
        auto &u = w.ui();
        u.SSTab->setCurrentIndex(0);
        held("the lesson choice", [&] { choose(w, Other); });
        EXPECT_EQ(u.CountLAB->text(), "3");
        held("the refresh", [&] { QTest::mouseClick(u.Cmd_Refresh, Qt::LeftButton); });
        EXPECT_EQ(u.CountLAB->text(), "3");

        doubleClickRow(w, 0);
        startNew(w);
        held("the save", [&] { click(w, u.Toolbar2, 3); });
        EXPECT_EQ(rows(Other), 4);
        EXPECT_FALSE(u.tt->isVisible()) << "the input mode ended";
        u.SSTab->setCurrentIndex(0);
        EXPECT_EQ(u.CountLAB->text(), "4");
        doubleClickRow(w, 0);
        held("the delete", [&] { deleteCurrent(w); });
        EXPECT_EQ(rows(Other), 3);
        EXPECT_EQ(u.CountLAB->text(), "3");
        EXPECT_EQ(msgs.calls.size(), 1u);
        for (const Msg::Call &call : msgs.calls)
            EXPECT_EQ(call.text, ConfirmDelete);
        msgs.Clear();
        w.Unload();
    }
};

TEST_F(BankBusyTest, EachStepWaitsForAFileHeldForAMomentWithTheWindowPainting) {
    eachStepWaits<QuestionForm>();
    eachStepWaits<frmq2>();
    {
        FileLock other(DatabasePath(), 200);
        open<frmq2>();
        EXPECT_FALSE(other.Held()) << "the browse window's opening";
    }
    EXPECT_EQ(Forms::Get<frmq2>().ui().DarsCombo->count(), 2);
    EXPECT_TRUE(msgs.calls.empty());
    Forms::Get<frmq2>().Unload();
}

// A wait given up is told as busy: never as questions that cannot be read or a question that could
// not be saved; what was typed stays for another press, which then stores it once.
TEST_F(BankBusyTest, AWaitGivenUpIsToldAsBusyAndKeepsWhatWasTyped) {
    struct Case {
        const char *what;
        std::function<void(QuestionBankForm &)> before, held, after;
    };
    const Case cases[] = {
        {"the lesson choice", [](QuestionBankForm &w) { w.ui().SSTab->setCurrentIndex(0); },
         [](QuestionBankForm &w) { choose(w, Other); },
         [](QuestionBankForm &w) {
             // Nothing of the lesson was read: no rows, and no edit goes anywhere until it is chosen again.
             EXPECT_EQ(w.ui().CountLAB->text(), "0");
             EXPECT_EQ(w.ui().DataGrid1->model()->rowCount(), 0);
             choose(w, Other);
             EXPECT_EQ(w.ui().CountLAB->text(), "3");
         }},
        {"the save", [this](QuestionBankForm &w) { startNew(w); },
         [](QuestionBankForm &w) { click(w, w.ui().Toolbar2, 3); },
         [this](QuestionBankForm &w) {
             auto &u = w.ui();
             EXPECT_EQ(rows(), before);
             EXPECT_TRUE(u.tt->isVisible()) << "still in input mode";
             EXPECT_EQ(u.tq->toPlainText(), u.tq->property("typed").toString());
             EXPECT_EQ(u.ta1->text(), u" الف "_s);
             EXPECT_EQ(u.Comboa4->currentText(), u"همه موارد"_s);
             EXPECT_EQ(u.Combot->currentText(), u"3"_s);
             EXPECT_EQ(u.tt->text(), u"چون"_s);
             const size_t told = msgs.calls.size();
             click(w, u.Toolbar2, 3);
             EXPECT_EQ(msgs.calls.size(), told);
             EXPECT_EQ(rows(), before + 1);
             EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM \"Qمبانيکامپيوتر\" WHERE Question=?"_s, {u.tq->property("typed")}).toInt(), 1);
         }},
        {"the list's reading after a save",
         [this](QuestionBankForm &w) {
             startNew(w);
             click(w, w.ui().Toolbar2, 3);
             ASSERT_TRUE(w.ListDirty());
         },
         [](QuestionBankForm &w) { w.ui().SSTab->setCurrentIndex(0); },
         [this](QuestionBankForm &w) {
             EXPECT_EQ(rows(), before + 1);
             EXPECT_TRUE(w.ListDirty()) << "the next visit reads the list again";
             choose(w, Lesson);
             EXPECT_EQ(w.ui().CountLAB->text(), QString::number(before + 1));
         }},
        {"the cancel", [this](QuestionBankForm &w) { startNew(w); },
         [](QuestionBankForm &w) { click(w, w.ui().Toolbar2, 1); },
         [this](QuestionBankForm &w) {
             EXPECT_FALSE(w.ui().tt->isVisible()) << "the input mode ended";
             EXPECT_EQ(rows(), before);
             EXPECT_TRUE(w.ListDirty()) << "the next visit reads the list again";
         }},
        {"the delete", [this](QuestionBankForm &) { answerPassword(u"1234"_s); msgs.Answer(Msg::vbYes); },
         [](QuestionBankForm &w) { click(w, w.ui().Toolbar2, 2); },
         [this](QuestionBankForm &w) {
             EXPECT_EQ(rows(), before);
             EXPECT_EQ(w.ui().SSTab->currentIndex(), 1);
         }},
    };
    Db::SetBusyPatience(50);
    const std::function<QuestionBankForm &()> windows[] = {[this]() -> QuestionBankForm & { return details<QuestionForm>(); },
                                                          [this]() -> QuestionBankForm & { return details<frmq2>(); }};
    for (const Case &c : cases)
        for (const auto &openWindow : windows) {
            QuestionBankForm *w = &openWindow();
            SCOPED_TRACE(c.what + (u" in "_s + w->Name()).toStdString());
            before = rows();
            c.before(*w);
            msgs.Clear();
            {
                FileLock other(DatabasePath(), 5000);
                msgs.Answer(Msg::vbNo);
                c.held(*w);
            }
            const size_t from = msgs.calls.size() >= 2 && msgs.calls[0].text == ConfirmDelete ? 1 : 0;
            ASSERT_EQ(msgs.calls.size(), from + 2);
            EXPECT_EQ(msgs.calls[from].text, BusyTexts::KeepWaiting);
            EXPECT_EQ(msgs.calls[from + 1].text, BusyTexts::Busy);
            EXPECT_EQ(msgs.calls[from + 1].style, 48);
            c.after(*w);
            w->Unload();
        }
}

} // namespace
