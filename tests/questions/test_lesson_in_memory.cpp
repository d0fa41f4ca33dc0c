// The browse window's lesson choice into the question arrays and its details bar stepping them.
#include <QTabWidget>
#include <QTableView>

#include "QuestionBankSupport.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString Lesson = u"مباني کامپيوتر"_s;
const QString Table = u"\"Qمبانيکامپيوتر\""_s;

class LessonInMemoryTest : public QuestionBankTest {
protected:
    void addQuestion(int id, const QString &text, const QVariant &trueAnswer) {
        Exec(u"INSERT INTO "_s + Table + u" (ID, Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, Answer5) "
                                        u"VALUES (?, ?, ?, ?, ?, ?, ?, 'not copied')"_s,
             {id, text, text + u"-1"_s, text + u"-2"_s, text + u"-3"_s, text + u"-4"_s, trueAnswer});
    }

    frmq2 &details() {
        auto &w = open<frmq2>();
        choose(w, Lesson);
        doubleClickRow(w, 0);
        return w;
    }

    // What the display boxes show: question, options, correct option and record id.
    static QStringList shown(frmq2 &w) {
        auto &u = w.ui();
        return {u.tq->toPlainText(), u.ta1->text(),        u.ta2->text(),  u.ta3->text(),
                u.Combo1->currentText(), u.Combot->currentText(), u.Text2->text()};
    }
    // Question q of a lesson made by the fixture, as the display boxes show it.
    static QStringList made(int q) {
        QStringList boxes{QStringLiteral("Question %1").arg(q)};
        for (int k = 1; k <= 4; ++k)
            boxes << QStringLiteral("A%1-%2").arg(q).arg(k);
        return boxes << QString::number((q - 1) % 4 + 1) << QString::number(q);
    }
};

TEST_F(LessonInMemoryTest, TheChoiceCopiesTheLessonInRecordIdOrderAndKeepsTheNameWithItsSpaces) {
    MakeLesson(Lesson, 0);
    addQuestion(7, u"هفت"_s, 3);
    addQuestion(2, u"دو"_s, 1);
    addQuestion(9, u"نه"_s, u"2.5"_s);
    auto &w = open<frmq2>();
    choose(w, Lesson);
    EXPECT_EQ(CurrentLessonName, Lesson);
    ASSERT_EQ(QuestionCount, 3);
    ASSERT_EQ(QuestionTexts.Columns(), 3);
    const struct {
        QString text;
        int option, id;
    } expected[] = {{u"دو"_s, 1, 2}, {u"هفت"_s, 3, 7}, {u"نه"_s, 2, 9}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(QuestionTexts(0, i), expected[i].text) << i;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(AnswerTexts(k, i), expected[i].text + u'-' + QString::number(k + 1)) << i;
        EXPECT_EQ(CorrectOptions(0, i), expected[i].option) << i;
        EXPECT_EQ(CorrectOptions(1, i), expected[i].id) << i;
    }
    EXPECT_TRUE(w.ui().DataGrid1->isVisible());
    EXPECT_EQ(w.ui().CountLAB->text(), "3");
    EXPECT_EQ(w.Adodc1->Recordset().SortSpec(), "ID");
    EXPECT_EQ(shown(w), QStringList(7, QString())) << "the choice fills no display box";
}

// A lesson table that lacks a field is not copied in part: the lesson held before stays whole.
TEST_F(LessonInMemoryTest, ALessonLackingAFieldLeavesTheHeldLessonAsItWas) {
    const QString lacking = u"ناقص"_s;
    MakeLesson(Lesson, 3);
    MakeLesson(lacking, 5);
    Exec(u"ALTER TABLE \"Qناقص\" DROP COLUMN Answer3"_s);
    auto &w = open<frmq2>();
    choose(w, Lesson);
    choose(w, lacking);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(CurrentLessonName, Lesson);
    ASSERT_EQ(QuestionCount, 3);
    ASSERT_EQ(QuestionTexts.Columns(), 3);
    ASSERT_EQ(AnswerTexts.Columns(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList boxes = made(i + 1);
        EXPECT_EQ(QuestionTexts(0, i), boxes[0]) << i;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(AnswerTexts(k, i), boxes[k + 1]) << i;
        EXPECT_EQ(CorrectOptions(0, i), boxes[5].toInt()) << i;
        EXPECT_EQ(CorrectOptions(1, i), i + 1) << i;
    }
}

TEST_F(LessonInMemoryTest, ALessonOfAnySizeAndEveryRecordIdAreCopiedWithoutWrapping) {
    MakeLesson(Lesson, 300);
    MakeLesson(u"کوچک"_s, 2);
    MakeLesson(u"خالي"_s, 0);
    auto &w = open<frmq2>();
    choose(w, Lesson);
    ASSERT_EQ(QuestionCount, 300);
    EXPECT_EQ(CorrectOptions(1, 299), 300);
    EXPECT_EQ(QuestionTexts(0, 299), "Question 300");

    choose(w, u"کوچک"_s);
    EXPECT_EQ(QuestionCount, 2);
    EXPECT_EQ(QuestionTexts.Columns(), 2) << "nothing of the earlier lesson remains";
    EXPECT_EQ(CorrectOptions.Columns(), 2);
    EXPECT_EQ(CurrentLessonName, u"کوچک"_s);

    choose(w, u"خالي"_s);
    EXPECT_EQ(QuestionCount, 0);
    EXPECT_EQ(QuestionTexts.Columns(), 0);
    EXPECT_EQ(AnswerTexts.Columns(), 0);
    EXPECT_TRUE(w.ui().cmdq3->isEnabled());
    EXPECT_EQ(enabledButtons(w, w.ui().Toolbar1), "");
    EXPECT_EQ(enabledButtons(w, w.ui().Toolbar3), "");
}

TEST_F(LessonInMemoryTest, PreviousAndNextStepTheEntryWithTheRecordFirstAndLastMoveTheRecordAlone) {
    MakeLesson(Lesson, 4);
    auto &w = details();
    auto &u = w.ui();
    struct Step {
        int button;
        int position; // DetailsPosition afterwards
        int record;   // the record's position afterwards
        int shownEntry; // the entry the display boxes show
    } steps[] = {{3, 1, 2, 1}, {3, 2, 3, 2}, {3, 3, 4, 3}, {3, 3, 4, 3}, {1, 3, 1, 3},
                 {2, 2, 1, 2}, {2, 1, 1, 1}, {2, 0, 1, 0}, {2, 0, 1, 0}, {4, 0, 4, 0}};
    for (const Step &s : steps) {
        QTest::mouseClick(u.Label11, Qt::LeftButton);
        click(w, u.Toolbar3, s.button);
        EXPECT_EQ(w.DetailsPosition(), s.position) << "button " << s.button;
        EXPECT_EQ(w.Adodc1->Recordset().AbsolutePosition(), s.record) << "button " << s.button;
        const int q = s.shownEntry + 1;
        EXPECT_EQ(shown(w), made(q)) << "button " << s.button;
        EXPECT_EQ(u.Text1->isVisible(), s.button == 1 || s.button == 4) << "button " << s.button;
    }
    EXPECT_EQ(u.Text1->text(), "Why 4") << "the reveal boxes show the record, not the entry";
}

TEST_F(LessonInMemoryTest, APositionLeftBeyondTheEntriesIsBroughtBackInsideBeforeUse) {
    MakeLesson(Lesson, 6);
    MakeLesson(u"کوچک"_s, 2);
    auto &w = details();
    auto &u = w.ui();
    for (int i = 0; i < 5; ++i)
        click(w, u.Toolbar3, 3);
    ASSERT_EQ(w.DetailsPosition(), 5);

    choose(w, u"کوچک"_s);
    EXPECT_EQ(w.DetailsPosition(), 5) << "the lesson choice does not move it";
    click(w, u.Toolbar3, 2);
    EXPECT_EQ(w.DetailsPosition(), 0);
    EXPECT_EQ(u.tq->toPlainText(), "Question 1");

    ResetChartGlobals(); // another window's chart reset empties the copy
    click(w, u.Toolbar3, 3);
    click(w, u.Toolbar3, 2);
    EXPECT_EQ(w.DetailsPosition(), 0);
    EXPECT_EQ(u.tq->toPlainText(), "Question 1") << "nothing to show: the boxes keep what they showed";

    // An exam's draw leaves a larger count than its arrays hold.
    QuestionCount = 20;
    QuestionTexts.ReDim(1, 3);
    AnswerTexts.ReDim(4, 3);
    CorrectOptions.ReDim(2, 3);
    for (int i = 0; i < 5; ++i)
        click(w, u.Toolbar3, 3);
    EXPECT_EQ(w.DetailsPosition(), 2);
}

TEST_F(LessonInMemoryTest, LoadPutsTheDetailsPositionBackAtTheStart) {
    MakeLesson(Lesson, 3);
    auto &w = details();
    click(w, w.ui().Toolbar3, 3);
    ASSERT_EQ(w.DetailsPosition(), 1);
    w.Unload();
    auto &again = details();
    EXPECT_EQ(again.DetailsPosition(), 0);
    EXPECT_EQ(again.ui().tq->toPlainText(), "");
    click(again, again.ui().Toolbar3, 3);
    EXPECT_EQ(again.ui().tq->toPlainText(), "Question 2") << "the first next shows entry 1";
}
} // namespace
