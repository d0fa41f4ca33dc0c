// The question viewer: stepping through the lesson held in memory, the correct option hidden by every
// step and shown again by its label, whatever the shared arrays hold. No database exists here at all.
#include <QTest>
#include <gtest/gtest.h>

#include "TransferSupport.h"
#include "questions/frmq2.h"
#include "questions/frmq3.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
// Fills the shared arrays with n questions "Q<i>", options "A<i>-<k>", correct option i % 4 + 1 and
// record id 10 + i, as the browse window leaves them.
void Hold(int n, const QString &lesson = QStringLiteral("مباني کامپيوتر")) {
    CurrentLessonName = lesson;
    QuestionCount = decltype(QuestionCount)(n);
    QuestionTexts.ReDim(1, n);
    AnswerTexts.ReDim(4, n);
    CorrectOptions.ReDim(2, n);
    for (int i = 0; i < n; ++i) {
        QuestionTexts(0, i) = QStringLiteral("Q%1").arg(i);
        for (int k = 0; k < 4; ++k)
            AnswerTexts(k, i) = QStringLiteral("A%1-%2").arg(i).arg(k + 1);
        CorrectOptions(0, i) = std::remove_reference_t<decltype(CorrectOptions(0, 0))>(i % 4 + 1);
        CorrectOptions(1, i) = std::remove_reference_t<decltype(CorrectOptions(0, 0))>(10 + i);
    }
}
} // namespace

class ViewerTest : public AppFixture {
protected:
    frmq3 &Open() {
        frmq3 &viewer = Forms::Get<frmq3>();
        viewer.ShowModal();
        return viewer;
    }
    // What the boxes show: the question text or "" and whether the correct option is in view.
    void ExpectShown(frmq3 &viewer, int i, bool correctVisible) {
        auto &u = viewer.ui();
        SCOPED_TRACE(i);
        EXPECT_EQ(viewer.ViewerPosition, i);
        EXPECT_EQ(u.tq->toPlainText(), QStringLiteral("Q%1").arg(i));
        EXPECT_EQ(u.ta1->text(), QStringLiteral("A%1-1").arg(i));
        EXPECT_EQ(u.ta2->text(), QStringLiteral("A%1-2").arg(i));
        EXPECT_EQ(u.ta3->text(), QStringLiteral("A%1-3").arg(i));
        EXPECT_EQ(u.Combo1->currentText(), QStringLiteral("A%1-4").arg(i));
        EXPECT_EQ(u.Combot->currentText(), QString::number(i % 4 + 1));
        EXPECT_EQ(u.Text2->text(), QString::number(10 + i));
        EXPECT_EQ(u.Combot->isVisible(), correctVisible);
    }
};

TEST_F(ViewerTest, StepsStopAtBothEndsAndEveryStepHidesTheCorrectOption) {
    enum Action { Next, Back, Reveal };
    struct Step {
        Action action;
        int shown;
        bool correctVisible;
    };
    const struct {
        int count;
        QList<Step> steps;
    } cases[] = {
        {3,
         {{Next, 1, false}, {Back, 0, false}, {Reveal, 0, true}, {Next, 1, false}, {Next, 2, false},
          {Reveal, 2, true}, {Next, 2, false}, {Back, 1, false}, {Back, 0, false}, {Back, 0, false}}},
        {1, {{Next, 0, false}, {Reveal, 0, true}, {Back, 0, false}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.count);
        Hold(c.count);
        frmq3 &viewer = Open();
        auto &u = viewer.ui();
        EXPECT_EQ(u.DarsBox->text(), QStringLiteral("مباني کامپيوتر"));
        ExpectShown(viewer, 0, true);
        for (const Step &step : c.steps) {
            if (step.action == Next)
                QTest::mouseClick(u.cmdnext, Qt::LeftButton);
            else if (step.action == Back)
                QTest::mouseClick(u.cmdback, Qt::LeftButton);
            else
                QTest::mouseClick(u.Label5, Qt::LeftButton);
            ExpectShown(viewer, step.shown, step.correctVisible);
        }
        viewer.Unload();
    }
}

TEST_F(ViewerTest, OpeningAgainStartsAtTheFirstQuestionWithTheCorrectOptionInView) {
    Hold(3);
    frmq3 &viewer = Open();
    viewer.cmdnext_Click();
    viewer.cmdnext_Click();
    viewer.Unload();
    Hold(2, QStringLiteral("فيزيک"));
    Open();
    EXPECT_EQ(viewer.ui().DarsBox->text(), QStringLiteral("فيزيک"));
    ExpectShown(viewer, 0, true);
    viewer.Unload();
    EXPECT_EQ(QuestionCount, 2); // the viewer changes nothing it reads
    EXPECT_EQ(QuestionTexts(0, 1), QStringLiteral("Q1"));
}

TEST_F(ViewerTest, AnyFourthOptionAndCorrectOptionShowAsHeld) {
    Hold(1);
    QuestionTexts(0, 0) = QStringLiteral("کدام گزينه يک دستگاه ورودي است؟");
    AnswerTexts(0, 0) = QStringLiteral("صفحه کليد");
    AnswerTexts(3, 0) = QStringLiteral("نه الف و نه 'ب'");
    CorrectOptions(0, 0) = 7;
    frmq3 &viewer = Open();
    EXPECT_EQ(viewer.ui().Combo1->currentText(), QStringLiteral("نه الف و نه 'ب'"));
    EXPECT_EQ(viewer.ui().Combot->currentText(), QStringLiteral("7"));
    const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); // where to keep pictures for a look
    if (!shots.isEmpty())
        viewer.Widget()->grab().save(shots + QStringLiteral("/viewer.png"));
    viewer.Unload();
}

// A chart reset leaves the count at 0, and an exam set-up may raise it before its draw refills the
// arrays: the viewer shows only what the arrays hold.
TEST_F(ViewerTest, ShowsNoMoreThanTheArraysHold) {
    Hold(2);
    QuestionCount = 0;
    frmq3 &viewer = Open();
    auto &u = viewer.ui();
    EXPECT_EQ(u.tq->toPlainText(), QString());
    EXPECT_EQ(u.Text2->text(), QString());
    viewer.cmdnext_Click();
    viewer.cmdback_Click();
    EXPECT_EQ(viewer.ViewerPosition, 0);
    EXPECT_EQ(u.tq->toPlainText(), QString());
    EXPECT_FALSE(u.Combot->isVisible());
    viewer.Unload();

    Hold(2);
    QuestionCount = 20;
    Open();
    for (int i = 0; i < 5; ++i)
        viewer.cmdnext_Click();
    ExpectShown(viewer, 1, false);
    viewer.Unload();
}

// Opened from the browse window, which closes first and does not come back.
class ViewerFromBrowseWindowTest : public TransferFixture {
protected:
    void SetUp() override {
        TransferFixture::SetUp();
        m_steps = QuestionBankForm::RefreshSteps;
        QuestionBankForm::RefreshSteps = 1;
    }
    void TearDown() override {
        QuestionBankForm::RefreshSteps = m_steps;
        TransferFixture::TearDown();
    }
    // Chooses the lesson in the browse window and presses the viewer button on its details page.
    void View(const QString &lesson, std::function<void(frmq3 &)> whileOpen) {
        frmq2 &browse = Forms::Get<frmq2>();
        browse.Show();
        ProcessEvents();
        QComboBox *lessons = browse.ui().DarsCombo;
        lessons->setCurrentIndex(lessons->findText(lesson));
        emit lessons->activated(lessons->currentIndex());
        ASSERT_TRUE(browse.ui().cmdq3->isEnabled());
        browse.ui().SSTab->setTabVisible(1, true);
        browse.ui().SSTab->setCurrentIndex(1);
        ProcessEvents();
        bool ran = false;
        modal.On(QStringLiteral("frmq3"), [&](QDialog &) {
            ran = true;
            EXPECT_FALSE(browse.IsLoaded()) << "the browse window is still open under the viewer";
            whileOpen(Forms::Get<frmq3>());
        });
        QTest::mouseClick(browse.ui().cmdq3, Qt::LeftButton);
        ProcessEvents();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(browse.IsLoaded());
        EXPECT_FALSE(Forms::Get<frmq3>().IsLoaded());
    }

private:
    int m_steps = 0;
};

TEST_F(ViewerFromBrowseWindowTest, ShowsTheLessonInRecordIdOrderWithIdsBeyondAByte) {
    Lesson(QStringLiteral("شبکه"), {});
    for (int id : {7, 300, 2})
        Exec(QStringLiteral("INSERT INTO ") + Table(QStringLiteral("شبکه")) +
                 QStringLiteral(" (ID, Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer) VALUES (?, ?, 'a', 'b', 'c', 'd', 4)"),
             {id, QStringLiteral("question %1").arg(id)});
    View(QStringLiteral("شبکه"), [](frmq3 &viewer) {
        auto &u = viewer.ui();
        EXPECT_EQ(u.DarsBox->text(), QStringLiteral("شبکه"));
        for (int id : {2, 7, 300}) {
            EXPECT_EQ(u.tq->toPlainText(), QStringLiteral("question %1").arg(id));
            EXPECT_EQ(u.Text2->text(), QString::number(id));
            EXPECT_EQ(u.Combot->currentText(), "4");
            viewer.cmdnext_Click();
        }
    });
}

TEST_F(ViewerFromBrowseWindowTest, AnEmptyLessonOpensAnEmptyViewer) {
    Lesson(QStringLiteral("فيزيک"), {});
    View(QStringLiteral("فيزيک"), [](frmq3 &viewer) {
        EXPECT_EQ(viewer.ui().tq->toPlainText(), QString());
        EXPECT_EQ(viewer.ui().Text2->text(), QString());
        viewer.cmdnext_Click();
        EXPECT_FALSE(viewer.ui().Combot->isVisible());
    });
}

TEST_F(ViewerTest, CaptionsAreTheSystemsOwn) {
    Hold(0);
    frmq3 &viewer = Open();
    auto &u = viewer.ui();
    EXPECT_EQ(viewer.Widget()->windowTitle(), QStringLiteral("مشاهده سوالات"));
    const std::pair<QWidget *, QString> captions[] = {
        {u.Label10, QStringLiteral("بانک سوالات درس / دوره :")}, {u.Label8, QStringLiteral("سوال :")}, {u.Label9, QStringLiteral("جواب ها :")},
        {u.Label5, QStringLiteral("گزينه صحيح :")},   {u.cmdnext, QStringLiteral("نمايش سوال بعدي")}, {u.Label6, QStringLiteral("سوال بعدي")},
        {u.cmdback, QStringLiteral("نمايش سوال قبلي")}, {u.Label7, QStringLiteral("سوال قبلي")}, {u.Label11, QStringLiteral("توضيحات :")},
    };
    for (const auto &[control, caption] : captions)
        EXPECT_EQ(control->property("text").toString(), caption) << control->objectName().toStdString();
    const QStringList stock = {QStringLiteral("هيچکدام"), QStringLiteral("گزينه هاي الف و ب"), QStringLiteral("گزينه هاي الف و ج"),
                               QStringLiteral("گزينه هاي ب و ج"), QStringLiteral("همه موارد")};
    QStringList items;
    for (int i = 0; i < u.Combo1->count(); ++i)
        items << u.Combo1->itemText(i);
    EXPECT_EQ(items, stock);
    EXPECT_FALSE(u.Text1->isVisible());
    viewer.Unload();
}
