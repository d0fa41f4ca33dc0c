// How the question bank windows look: their captions, questions laid out right to left and shown
// whole, and the list page's layout.
#include <QListWidget>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "Ink.h"
#include "QuestionBankSupport.h"
#include "questions/QuestionManagementPage.h"
#include "questions/frmq3.h"
#include "ui_QuestionManagementPage.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString Lesson = u"مباني کامپيوتر"_s;

class LooksTest : public QuestionBankTest {
protected:
    void SetUp() override {
        QuestionBankTest::SetUp();
        MakeLesson(Lesson, 3);
    }
};

TEST_F(LooksTest, BothWindowsCarryTheirControlsCaptions) {
    for (QuestionBankForm *w : openBoth()) {
        SCOPED_TRACE(w->Name().toStdString());
        auto &u = w->ui();
        const std::pair<QWidget *, QString> captions[] = {
            {u.Label10, u"بانک سوالات درس / دوره :"_s},
            {u.Label6, u"تعداد سوالات :"_s},
            {u.Cmd_Refresh, u" بازسازي ليست "_s},
            {u.Command4, u"ID"_s},
            {u.Command1, u"V"_s},
            {u.Command3, u"O"_s},
            {u.Command2, u"ليست سوالات"_s},
            {u.Cmd_Print, u" چاپ ليست سوالات "_s},
            {u.cmdexport, u"ارسال سوالات به محيط ورد"_s},
            {u.Label8, u"سوال :"_s},
            {u.Label9, u"جواب ها :"_s},
            {u.Label5, u"گزينه صحيح :"_s},
            {u.Label11, u"توضيحات :"_s},
            {u.cmdq3, u"مشاهده جزئيات سوالات"_s},
            {u.Label1, u"1 ."_s}, {u.Label2, u"2 ."_s}, {u.Label3, u"3 ."_s}, {u.Label4, u"4 ."_s},
        };
        for (const auto &[control, caption] : captions)
            EXPECT_EQ(control->property("text").toString(), caption) << control->objectName().toStdString();
        const QString tabs[] = {u" ليست سوالات"_s, u" مشخصات سوال"_s, u"مديريت سوالات"_s};
        for (int tab = 0; tab < 3; ++tab)
            EXPECT_EQ(u.SSTab->tabText(tab), tabs[tab]) << tab;
        const QString moves[] = {u" ابتدا "_s, u" قبلي "_s, u" بعدي "_s, u" انتها "_s};
        const QString edits[] = {u"انصراف "_s, u"حذف "_s, u"ذخيره "_s, u"ويرايش "_s, u"جديد "_s};
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(w->Button(u.Toolbar1, i)->text(), moves[i - 1]) << i;
            EXPECT_EQ(w->Button(u.Toolbar3, i)->text(), moves[i - 1]) << i;
        }
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(w->Button(u.Toolbar2, i)->text(), edits[i - 1]) << i;
        QStringList columns;
        for (int c = 0; c < u.DataGrid1->model()->columnCount(); ++c)
            columns << u.DataGrid1->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(columns, (QStringList{u"Question"_s, u"Answer1"_s, u"Answer2"_s, u"Answer3"_s, u"Answer4"_s, u"TrueAnswer"_s}));
        auto &m = w->Management->ui();
        const std::pair<QLabel *, QString> counters[] = {
            {m.Label15, u"تعداد سوالات انتخابي :"_s},
            {m.Label17, u"تعداد سوالات کپي شده:"_s},
            {m.Label18, u"تعداد سوالات تکراري کپي نشده :"_s},
        };
        for (const auto &[label, caption] : counters)
            EXPECT_EQ(label->text(), caption) << label->objectName().toStdString();
        w->Unload();
    }
}

// Where the ink of a box's lines begins, as a share of its width from the left.
double inkStart(QPlainTextEdit *box) {
    ProcessEvents();
    const QImage image = box->viewport()->grab().toImage();
    int first = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < first; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                first = x;
    EXPECT_LT(first, image.width()) << box->objectName().toStdString() << " shows nothing";
    return double(first) / image.width();
}

TEST_F(LooksTest, QuestionsStartAtTheRightAndTheListGivesThemTheWidestColumn) {
    const QString question = u"کدام گزينه درست است؟"_s;
    Exec(u"UPDATE \"Qمبانيکامپيوتر\" SET Question=?"_s, {question});

    auto &bank = open<QuestionForm>();
    EXPECT_GT(bank.ui().DataGrid1->columnWidth(0), 2 * bank.ui().DataGrid1->columnWidth(1));
    bank.ui().SSTab->setCurrentIndex(1);
    EXPECT_GT(inkStart(bank.ui().QuestionBox), 0.5);
    bank.Unload();

    auto &browse = open<frmq2>();
    choose(browse, Lesson);
    browse.ui().SSTab->setTabVisible(1, true);
    browse.ui().SSTab->setCurrentIndex(1);
    click(browse, browse.ui().Toolbar3, 3);
    EXPECT_GT(inkStart(browse.ui().tq), 0.5);

    auto &tabs = *browse.ui().SSTab;
    tabs.setTabVisible(2, true);
    tabs.setTabEnabled(2, true);
    tabs.setCurrentIndex(2);
    auto &m = browse.Management->ui();
    m.Combofrom->setCurrentIndex(0);
    emit m.Combofrom->activated(0);
    ProcessEvents();
    QTest::mouseClick(m.ListQ->viewport(), Qt::LeftButton, {}, m.ListQ->visualItemRect(m.ListQ->item(0)).center());
    EXPECT_EQ(m.Text3->toPlainText(), question);
    EXPECT_GT(inkStart(m.Text3), 0.5);
    browse.Unload();

    auto &viewer = Forms::Get<frmq3>();
    viewer.ShowModal();
    EXPECT_EQ(viewer.ui().tq->toPlainText(), question);
    EXPECT_GT(inkStart(viewer.ui().tq), 0.5);
    viewer.Unload();
}
// The limits of what may be typed do not cut what the lesson already holds.
TEST_F(LooksTest, StoredOptionsAndExplanationsShowWhole) {
    const QString option = QString(90, u'ب'), explanation = QString(75, u'ت');
    Exec(u"UPDATE \"Qمبانيکامپيوتر\" SET Answer1=?, Answer2=?, Answer3=?, Answer5=?"_s, {option, option, option, explanation});
    for (QuestionBankForm *w : openBoth()) {
        SCOPED_TRACE(w->Name().toStdString());
        auto &u = w->ui();
        if (u.DarsCombo->currentIndex() < 0)
            choose(*w, Lesson);
        u.SSTab->setTabVisible(1, true);
        u.SSTab->setCurrentIndex(1);
        QTest::mouseClick(u.Label11, Qt::LeftButton);
        EXPECT_EQ(u.Text1->text(), explanation);
        if (w->Name() == u"QuestionForm"_s) {
            for (QLineEdit *box : {u.AnswerBox1, u.AnswerBox2, u.AnswerBox3})
                EXPECT_EQ(box->text(), option) << box->objectName().toStdString();
        }
        w->Unload();
    }
}
// With the list hidden (no lesson chosen yet, or question access off) the bars stay at the foot of the page.
TEST_F(LooksTest, TheListsBarsStayAtTheFootOfThePageWithoutTheList) {
    Exec(u"UPDATE setting SET Question=0"_s);
    for (QuestionBankForm *w : openBoth()) {
        SCOPED_TRACE(w->Name().toStdString());
        auto &u = w->ui();
        ProcessEvents();
        ASSERT_FALSE(u.DataGrid1->isVisible());
        const int foot = u.Cmd_Refresh->mapTo(u.ListPage, QPoint(0, u.Cmd_Refresh->height())).y();
        EXPECT_GT(foot, u.ListPage->height() - 40) << foot << " of " << u.ListPage->height();
        w->Unload();
    }
}
// Options and record ids that are numbers stand at the right edge of their boxes, as Persian does,
// on the browse window's details page and in the viewer; the shots are kept for a look.
TEST_F(LooksTest, NumbersInTheDetailsAndViewerBoxesStandAtTheRight) {
    Exec(u"UPDATE \"Qمبانيکامپيوتر\" SET Answer1='12', Answer2='14', Answer3='صفحه کليد', Answer4='7'"_s);
    const QString shots = qEnvironmentVariable("TELLUMO_SHOTS");
    const auto expectRight = [](QLineEdit *box, const QString &text) {
        SCOPED_TRACE(box->objectName().toStdString());
        ASSERT_EQ(box->text(), text);
        const InkSpan ink = Ink(box);
        ASSERT_TRUE(ink.Any());
        EXPECT_GE(ink.right, ink.width - 8);
        if (text.size() <= 3) {
            EXPECT_GT(ink.left, ink.width / 2);
        }
    };
    auto &browse = open<frmq2>();
    choose(browse, Lesson);
    browse.ui().SSTab->setTabVisible(1, true);
    browse.ui().SSTab->setCurrentIndex(1);
    click(browse, browse.ui().Toolbar3, 3);
    ProcessEvents();
    auto &b = browse.ui();
    if (!shots.isEmpty())
        browse.Widget()->grab().save(shots + u"/browse-details.png"_s);
    expectRight(b.ta1, u"12"_s);
    expectRight(b.ta2, u"14"_s);
    expectRight(b.ta3, u"صفحه کليد"_s);
    expectRight(b.Combo1->lineEdit(), u"7"_s);
    expectRight(b.Text2, QString::number(currentId(browse)));
    browse.Unload();

    auto &viewer = Forms::Get<frmq3>();
    viewer.ShowModal();
    ProcessEvents();
    auto &v = viewer.ui();
    if (!shots.isEmpty())
        viewer.Widget()->grab().save(shots + u"/viewer.png"_s);
    expectRight(v.ta1, u"12"_s);
    expectRight(v.ta2, u"14"_s);
    expectRight(v.Text2, u"1"_s);
    viewer.Unload();
}

// The correct option and the explanation appear in room kept for them.
TEST_F(LooksTest, RevealingABoxLeavesTheWindowsSizeAlone) {
    for (QuestionBankForm *w : openBoth()) {
        SCOPED_TRACE(w->Name().toStdString());
        auto &u = w->ui();
        if (u.DarsCombo->currentIndex() < 0)
            choose(*w, Lesson);
        u.SSTab->setTabVisible(1, true);
        u.SSTab->setCurrentIndex(1);
        ProcessEvents();
        const QSize size = w->Widget()->size();
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(u.Label5, Qt::LeftButton);
            QTest::mouseClick(u.Label11, Qt::LeftButton);
            ProcessEvents();
            ASSERT_TRUE(u.Text1->isVisible());
            EXPECT_EQ(w->Widget()->size(), size) << round;
            click(*w, u.Toolbar3, 3); // the step hides them again
            ProcessEvents();
            EXPECT_EQ(w->Widget()->size(), size) << round;
        }
        w->Unload();
    }
    auto &viewer = Forms::Get<frmq3>();
    viewer.ShowModal();
    ProcessEvents();
    const QSize size = viewer.Widget()->size();
    viewer.cmdnext_Click();
    ProcessEvents();
    QTest::mouseClick(viewer.ui().Label5, Qt::LeftButton);
    ProcessEvents();
    EXPECT_TRUE(viewer.ui().Combot->isVisible());
    EXPECT_EQ(viewer.Widget()->size(), size);
    viewer.Unload();
}
} // namespace
