// The edit bar of both question bank windows: input mode, save with its checks, edit, delete, cancel.
#include <QLineEdit>
#include <QSqlQuery>
#include <QTabWidget>
#include <QWheelEvent>

#include "QuestionBankSupport.h"
#include "StorageFaults.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
void turnWheel(QWidget *target, int delta = 120) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

const QString WrongPassword = u"رمز شما اشتباه است"_s;
const QString ConfirmDelete = u" آيا مطمئن به حذف اين گزينه از ليست هستيد ؟   "_s;
const QString CompleteAll = u" لطفا همه گزينه ها را تکميل کنيد "_s;
const QString OptionOutOfRange = u" گزينه صحيح بايد عددي بين 1 تا 4 باشد "_s;
const QString Lesson = u"مباني کامپيوتر"_s;
const QString Table = u"\"Qمبانيکامپيوتر\""_s;

class EditingTest : public QuestionBankTest {
protected:
    void SetUp() override {
        QuestionBankTest::SetUp();
        MakeLesson(Lesson, 10);
    }

    template <class W> W &details() { return QuestionBankTest::details<W>(Lesson); }

    static bool inInputMode(QuestionBankForm &w) {
        return w.ui().tt->isVisible() && !w.ui().SSTab->isTabEnabled(0) && !w.ui().Toolbar3->isEnabled();
    }

    // A command of the edit bar met with a wrong password: one OK box without a title of its own.
    void expectWrongPassword(QuestionBankForm &w, int button, const QString &typed) {
        answerPassword(typed);
        click(w, w.ui().Toolbar2, button);
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, WrongPassword);
        EXPECT_EQ(msgs.Last().style, 0);
        EXPECT_FALSE(msgs.Last().titleGiven);
    }

    int rows() { return Scalar(u"SELECT COUNT(*) FROM "_s + Table).toInt(); }
};

TEST_F(EditingTest, NewThenSaveAddsTheTypedRowUntrimmedAndMakesTheLastRowCurrent) {
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    u.tt->setText(u"قبلي"_s);
    click(w, u.Toolbar2, 5);
    EXPECT_TRUE(inInputMode(w));
    EXPECT_EQ(enabledButtons(w, u.Toolbar2), "13");
    EXPECT_FALSE(u.QuestionBox->isReadOnly());
    EXPECT_FALSE(u.AnswerBox1->isReadOnly());
    EXPECT_EQ(u.tq->toPlainText(), "");
    EXPECT_EQ(u.Comboa4->currentText(), "");
    EXPECT_EQ(u.Combot->currentText(), "");
    EXPECT_EQ(u.tt->text(), u"قبلي"_s) << "the explanation keeps what it held";
    EXPECT_EQ(u.Comboa4->count(), 5);
    EXPECT_EQ(u.Comboa4->itemText(0), u"هيچکدام"_s);
    EXPECT_EQ(u.Comboa4->itemText(1), u"گزينه هاي الف و ب"_s);
    EXPECT_EQ(u.Comboa4->itemText(2), u"گزينه هاي الف و ج"_s);
    EXPECT_EQ(u.Comboa4->itemText(3), u"گزينه هاي ب و ج"_s);
    EXPECT_EQ(u.Comboa4->itemText(4), u"همه موارد"_s);

    type(w, {});
    click(w, u.Toolbar2, 3);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(inInputMode(w));
    EXPECT_TRUE(u.QuestionBox->isReadOnly());
    EXPECT_EQ(enabledButtons(w, u.Toolbar2), "5") << "delete and edit wait for the details tab";
    EXPECT_TRUE(w.ListDirty());
    QSqlQuery row = Db::Exec(TestDb(), u"SELECT Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, Answer5, "
                                        u"AfterRun, typeof(TrueAnswer) FROM "_s + Table + u" WHERE ID = 11"_s);
    ASSERT_TRUE(row.next());
    const QStringList stored{u"سوال تازه"_s, u" الف "_s, u"ب"_s, u"ج"_s, u"همه موارد"_s, u"3"_s, u"چون"_s, u"0"_s, u"integer"_s};
    for (int i = 0; i < stored.size(); ++i)
        EXPECT_EQ(row.value(i).toString(), stored[i]) << i;
    EXPECT_EQ(currentId(w), 11);
    EXPECT_EQ(u.QuestionBox->toPlainText(), u"سوال تازه"_s);

    u.SSTab->setCurrentIndex(0);
    EXPECT_FALSE(w.ListDirty());
    EXPECT_EQ(u.CountLAB->text(), "11");
}

TEST_F(EditingTest, SaveRefusesEmptyOptionsAndAnythingButAWholeOptionFromOneToFour) {
    struct Case {
        Typed typed;
        QString message;
    } cases[] = {
        {{.option = u"1"_s}, {}},
        {{.option = u"4"_s}, {}},
        {{.option = u" 2 "_s}, {}},
        {{.option = u"0"_s}, OptionOutOfRange},
        {{.option = u"5"_s}, OptionOutOfRange},
        {{.option = u"2.5"_s}, OptionOutOfRange},
        {{.option = u"3x"_s}, OptionOutOfRange},
        {{.option = u""_s}, CompleteAll},
        {{.option = u"  "_s}, CompleteAll},
        {{.question = u"   "_s}, CompleteAll},
        {{.a3 = u""_s}, CompleteAll},
        {{.a4 = u" "_s}, CompleteAll},
        {{.explanation = u""_s}, {}},
    };
    auto &w = details<QuestionForm>();
    int expectedRows = rows();
    for (const Case &c : cases) {
        msgs.Clear();
        click(w, w.ui().Toolbar2, 5);
        type(w, c.typed);
        click(w, w.ui().Toolbar2, 3);
        const std::string what = (c.typed.option + u'|' + c.typed.question + u'|' + c.typed.a3).toStdString();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(msgs.calls.empty()) << what;
            EXPECT_FALSE(inInputMode(w)) << what;
            EXPECT_EQ(rows(), ++expectedRows) << what;
            continue;
        }
        ASSERT_EQ(msgs.calls.size(), 1u) << what;
        EXPECT_EQ(msgs.Last().text, c.message) << what;
        EXPECT_EQ(msgs.Last().style, 48);
        EXPECT_EQ(msgs.Last().title, "");
        EXPECT_TRUE(msgs.Last().titleGiven);
        EXPECT_TRUE(inInputMode(w)) << what;
        EXPECT_EQ(rows(), expectedRows) << what;
        EXPECT_EQ(w.ui().Combot->currentText(), c.typed.option) << "typed texts stay";
        EXPECT_EQ(w.ui().tq->toPlainText(), c.typed.question);
        click(w, w.ui().Toolbar2, 1);
    }
}

TEST_F(EditingTest, EditAsksThePasswordAndItsSaveAddsARowBesideTheUnchangedOne) {
    UnlockedFlag = 1;
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    w.Adodc1->Recordset().SetAbsolutePosition(7);

    expectWrongPassword(w, 4, u"wrong"_s);
    EXPECT_FALSE(inInputMode(w));
    EXPECT_EQ(w.SavedPosition(), 0);

    answerPassword(u"1234"_s);
    click(w, u.Toolbar2, 4);
    EXPECT_EQ(modal.opened, (std::vector<QString>{u"QuestionForm"_s, u"EditPasswordPrompt"_s, u"EditPasswordPrompt"_s}));
    EXPECT_TRUE(inInputMode(w));
    EXPECT_EQ(w.SavedPosition(), 7);
    EXPECT_EQ(u.tq->toPlainText(), "") << "edit does not copy the row into the input";
    type(w, {.question = u"Question 7 corrected"_s});
    click(w, u.Toolbar2, 3);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(questions(Lesson).mid(6), (QStringList{u"Question 7"_s, u"Question 8"_s, u"Question 9"_s,
                                                      u"Question 10"_s, u"Question 7 corrected"_s}));
    EXPECT_EQ(currentId(w), 11) << "with an edit remembered, the new row stays current";
}

TEST_F(EditingTest, CancelReadsTheRowsAgainAndReturnsToTheEditedPositionOrTheNearestRow) {
    UnlockedFlag = 1;
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    w.Adodc1->Recordset().SetAbsolutePosition(7);
    answerPassword(u"1234"_s);
    click(w, u.Toolbar2, 4);
    Exec(u"UPDATE "_s + Table + u" SET Question='changed elsewhere' WHERE ID=7"_s);
    click(w, u.Toolbar2, 1);
    EXPECT_FALSE(inInputMode(w));
    EXPECT_EQ(w.Adodc1->Recordset().AbsolutePosition(), 7);
    EXPECT_EQ(u.QuestionBox->toPlainText(), "changed elsewhere");
    EXPECT_FALSE(w.ListDirty());
    EXPECT_EQ(enabledButtons(w, u.Toolbar2), "5");

    // A later New: Cancel goes back to the remembered row, Save stays on the new one.
    click(w, u.Toolbar2, 5);
    w.Adodc1->Recordset().MoveFirst();
    click(w, u.Toolbar2, 1);
    EXPECT_EQ(w.Adodc1->Recordset().AbsolutePosition(), 7);

    click(w, u.Toolbar2, 5);
    Exec(u"DELETE FROM "_s + Table + u" WHERE ID > 4"_s);
    click(w, u.Toolbar2, 1);
    EXPECT_EQ(w.Adodc1->Recordset().AbsolutePosition(), 4) << "fewer rows: the last one";
    click(w, u.Toolbar2, 5);
    Exec(u"DELETE FROM "_s + Table);
    click(w, u.Toolbar2, 1);
    EXPECT_EQ(w.Adodc1->Recordset().RecordCount(), 0);
    EXPECT_EQ(u.QuestionBox->toPlainText(), "") << "an empty lesson shows an empty page";
}

TEST_F(EditingTest, DeleteAsksThePasswordAndConfirmationThenReloadsTheListOneShorter) {
    UnlockedFlag = 1;
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    w.Adodc1->Recordset().SetAbsolutePosition(3);

    expectWrongPassword(w, 2, u"12345"_s);

    answerPassword(QString(), false);
    click(w, u.Toolbar2, 2);
    EXPECT_EQ(msgs.calls.size(), 1u) << "a closed prompt is not a wrong password";

    answerPassword(u"1234"_s);
    msgs.Answer(Msg::vbNo);
    click(w, u.Toolbar2, 2);
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.Last().text, ConfirmDelete);
    EXPECT_EQ(msgs.Last().style, 36);
    EXPECT_EQ(msgs.Last().title, "");
    EXPECT_TRUE(msgs.Last().titleGiven);
    EXPECT_EQ(rows(), 10);
    EXPECT_EQ(u.SSTab->currentIndex(), 1);
    EXPECT_FALSE(w.ListDirty());

    answerPassword(u"1234"_s);
    click(w, u.Toolbar2, 2);
    EXPECT_EQ(rows(), 9);
    EXPECT_FALSE(Scalar(u"SELECT COUNT(*) FROM "_s + Table + u" WHERE ID = 3"_s).toBool());
    EXPECT_EQ(u.SSTab->currentIndex(), 0);
    EXPECT_FALSE(w.ListDirty()) << "the list tab reloaded at once";
    EXPECT_EQ(u.CountLAB->text(), "9");
}

TEST_F(EditingTest, TheEditPasswordIgnoresLetterCaseOnly) {
    struct Case {
        QString stored, typed;
        EditPasswordAnswer answer;
    } cases[] = {
        {u"Abc1"_s, u"aBC1"_s, EditPasswordAnswer::Match},
        {u"Abc1"_s, u"Abc1 "_s, EditPasswordAnswer::Mismatch},
        {u" Abc1"_s, u"Abc1"_s, EditPasswordAnswer::Mismatch},
        {u""_s, u""_s, EditPasswordAnswer::Match},
        {u""_s, u" "_s, EditPasswordAnswer::Mismatch},
        {u"رمز"_s, u"رمز"_s, EditPasswordAnswer::Match},
        {u"رمز"_s, u"رمز "_s, EditPasswordAnswer::Mismatch},
        {u"كتاب"_s, u"کتاب"_s, EditPasswordAnswer::Mismatch},
    };
    for (const Case &c : cases) {
        answerPassword(c.typed);
        EXPECT_EQ(AskEditPassword(c.stored), c.answer) << c.stored.toStdString() << '|' << c.typed.toStdString();
    }
    answerPassword(u"x"_s, false);
    EXPECT_EQ(AskEditPassword(QString()), EditPasswordAnswer::Cancelled) << "the close box";
    modal.On(u"EditPasswordPrompt"_s, [](QDialog &) {
        QTest::mouseClick(Forms::Get<EditPasswordPrompt>().ui().cmdcancel, Qt::LeftButton);
    });
    EXPECT_EQ(AskEditPassword(QString()), EditPasswordAnswer::Cancelled) << "Cancel";
    modal.On(u"EditPasswordPrompt"_s, [](QDialog &) {
        auto &prompt = Forms::Get<EditPasswordPrompt>();
        EXPECT_EQ(prompt.ui().txtpassword->text(), "") << "asked afresh";
        EXPECT_EQ(prompt.ui().txtpassword->echoMode(), QLineEdit::Password);
        QTest::keyClicks(prompt.ui().txtpassword, u"ab"_s);
        QTest::keyClick(prompt.ui().txtpassword, Qt::Key_Return);
    });
    EXPECT_EQ(AskEditPassword(u"AB"_s), EditPasswordAnswer::Match) << "Enter confirms";
}

TEST_F(EditingTest, TheStoredPasswordComesFromTheSettingsRowAndTheTypedOneIsKeptInTxtpass) {
    UnlockedFlag = 1;
    Exec(u"UPDATE setting SET passedit=''"_s);
    auto &w = details<QuestionForm>();
    answerPassword(u""_s);
    click(w, w.ui().Toolbar2, 4);
    EXPECT_TRUE(inInputMode(w)) << "an empty stored password matches an empty typed one";
    click(w, w.ui().Toolbar2, 1);
    EXPECT_FALSE(enabled(w, w.ui().Toolbar2, 4)) << "edit waits for the details tab";
    w.ui().SSTab->setCurrentIndex(0);
    w.ui().SSTab->setCurrentIndex(1);
    answerPassword(u"1234"_s);
    click(w, w.ui().Toolbar2, 4);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, WrongPassword);
    EXPECT_EQ(w.ui().txtpass->text(), "1234");
    EXPECT_FALSE(w.ui().txtpass->isVisible());
}

TEST_F(EditingTest, TheBrowseWindowsInputStartsFromTheQuestionOnDisplayAndShowsItAgainAfterwards) {
    auto &w = details<frmq2>();
    auto &u = w.ui();
    click(w, u.Toolbar3, 3);
    EXPECT_EQ(u.tq->toPlainText(), "Question 2");
    click(w, u.Toolbar2, 5);
    EXPECT_TRUE(inInputMode(w));
    EXPECT_EQ(u.tq->toPlainText(), "Question 2") << "nothing is emptied";
    EXPECT_EQ(u.Combot->currentText(), "2");
    EXPECT_FALSE(u.QuestionBox->isVisible());
    EXPECT_FALSE(u.QuestionBox->isReadOnly());
    u.tq->setPlainText(u"Question 2 again"_s);
    u.Comboa4->setEditText(u"هيچکدام"_s);
    click(w, u.Toolbar2, 3);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(questions(Lesson).last(), u"Question 2 again"_s);
    EXPECT_EQ(Scalar(u"SELECT Answer1 FROM "_s + Table + u" WHERE ID=11"_s).toString(), "A2-1");
    for (QWidget *box : QVector<QWidget *>{u.tq, u.ta1, u.ta2, u.ta3})
        EXPECT_TRUE(box->isVisible()) << box->objectName().toStdString();
    EXPECT_FALSE(u.Comboa4->isVisible());
    EXPECT_FALSE(u.tt->isVisible());
    EXPECT_TRUE(u.QuestionBox->isReadOnly());
}

TEST_F(EditingTest, AFailedSaveOrDeleteIsToldAndKeepsEverythingAsItWas) {
    UnlockedFlag = 1;
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    click(w, u.Toolbar2, 5);
    type(w, {});
    Exec(u"ALTER TABLE "_s + Table + u" RENAME TO away"_s);
    click(w, u.Toolbar2, 3);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_TRUE(inInputMode(w));
    EXPECT_EQ(u.tq->toPlainText(), u"سوال تازه"_s);
    Exec(u"ALTER TABLE away RENAME TO "_s + Table);
    click(w, u.Toolbar2, 3);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_FALSE(inInputMode(w));
    EXPECT_EQ(rows(), 11) << "the second press stored it once";

    u.SSTab->setCurrentIndex(0);
    u.SSTab->setCurrentIndex(1);
    Exec(u"CREATE TRIGGER keep BEFORE DELETE ON "_s + Table + u" BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
    answerPassword(u"1234"_s);
    click(w, u.Toolbar2, 2);
    EXPECT_EQ(msgs.calls.size(), 3u);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(rows(), 11);
    EXPECT_EQ(u.SSTab->currentIndex(), 1);
}

// The file took the question and only reading it back failed: the save is done, and nothing is
// left to store it a second time.
TEST_F(EditingTest, ASaveWhoseReadBackFailsIsDoneAndStoresTheQuestionOnce) {
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    click(w, u.Toolbar2, 5);
    type(w, {});
    StorageFaults::FailingReadBack fault(Db::Database(ConnectionString), SharedDatabase::QuestionTableName(Lesson));
    click(w, u.Toolbar2, 3);
    EXPECT_TRUE(fault.Refused());
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(inInputMode(w));
    EXPECT_FALSE(enabled(w, u.Toolbar2, 3));
    EXPECT_EQ(u.QuestionBox->toPlainText(), u"سوال تازه"_s);
    click(w, u.Toolbar2, 3);
    EXPECT_EQ(rows(), 11);
    u.SSTab->setCurrentIndex(0);
    EXPECT_EQ(u.CountLAB->text(), "11");
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(EditingTest, InputBoxesTakeNoMoreThanTheirFieldsHold) {
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    click(w, u.Toolbar2, 5);
    QTest::keyClicks(u.ta1, QString(90, u'a'));
    QTest::keyClicks(u.tt, QString(60, u'b'));
    u.tq->setFocus();
    QTest::keyClicks(u.tq, QString(260, u'c'));
    EXPECT_EQ(u.ta1->text().size(), 85);
    EXPECT_EQ(u.tt->text().size(), 50);
    EXPECT_EQ(u.tq->toPlainText().size(), 255);
    click(w, u.Toolbar2, 1);
}

// The limits count characters: a pasted text of characters outside the first plane (two UTF-16
// units each) is cut between characters, and the stored row is valid UTF-8 for any SQLite client.
TEST_F(EditingTest, PastedTextsAreCutBetweenCharactersAndStoredAsValidUtf8) {
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    const QString emoji = u"\U0001F600"_s;
    const auto pasted = [&](int limit) { return u"a"_s + emoji.repeated(limit); }; // one character too many
    const auto kept = [&](int limit) { return u"a"_s + emoji.repeated(limit - 1); };
    click(w, u.Toolbar2, 5);
    type(w, {});
    const std::pair<QWidget *, int> boxes[] = {{u.tq, 255}, {u.ta1, 85}, {u.ta2, 85}, {u.ta3, 85}, {u.tt, 50}};
    for (const auto &[box, limit] : boxes) {
        if (auto *line = qobject_cast<QLineEdit *>(box))
            line->clear();
        else
            u.tq->clear();
        Paste(box, pasted(limit));
    }
    EXPECT_EQ(u.tq->toPlainText(), kept(255));
    EXPECT_EQ(u.ta1->text(), kept(85));
    EXPECT_EQ(u.tt->text(), kept(50));
    // Typed into the middle, the excess is cut from what was typed.
    u.ta2->setText(u"xy"_s);
    u.ta2->setCursorPosition(1);
    Paste(u.ta2, emoji.repeated(84));
    EXPECT_EQ(u.ta2->text(), u"x"_s + emoji.repeated(83) + u"y"_s);
    click(w, u.Toolbar2, 3);
    EXPECT_TRUE(msgs.calls.empty());

    QSqlQuery row = Db::Exec(TestDb(), u"SELECT CAST(Question AS BLOB), CAST(Answer1 AS BLOB), CAST(Answer2 AS BLOB), "
                                        u"CAST(Answer3 AS BLOB), CAST(Answer5 AS BLOB) FROM "_s + Table + u" WHERE ID = 11"_s);
    ASSERT_TRUE(row.next());
    const QString stored[] = {kept(255), kept(85), u"x"_s + emoji.repeated(83) + u"y"_s, kept(85), kept(50)};
    for (int i = 0; i < 5; ++i) {
        const QByteArray bytes = row.value(i).toByteArray();
        EXPECT_TRUE(IsValidUtf8(bytes)) << i;
        EXPECT_EQ(QString::fromUtf8(bytes), stored[i]) << i;
    }
}
} // namespace

namespace {
// The focus after each command of the edit bar. In input mode the question's input box lies over the
// record's, so what the user types next must go there; the boxes under the input take no focus.
TEST_F(EditingTest, TypingAfterACommandGoesIntoTheBoxInViewAndTabSkipsTheCoveredBoxes) {
    UnlockedFlag = 1;
    auto &w = details<QuestionForm>();
    auto &u = w.ui();
    enum Before { Browsing, Input };
    struct Case {
        const char *what;
        Before before;
        std::function<void()> script; // scripted answers, typed texts
        int button;
        QWidget *focus; // nullptr: the focus stays where it was
    } cases[] = {
        {"new", Browsing, [] {}, 5, u.tq},
        {"refused save", Input, [] {}, 3, nullptr},
        {"save", Input, [&] { type(w, {}); }, 3, u.QuestionBox},
        {"edit, wrong password", Browsing, [&] { answerPassword(u"0000"_s); }, 4, u.QuestionBox},
        {"edit", Browsing, [&] { answerPassword(u"1234"_s); }, 4, u.tq},
        {"cancel", Input, [] {}, 1, u.QuestionBox},
        {"delete, wrong password", Browsing, [&] { answerPassword(u"0000"_s); }, 2, u.QuestionBox},
        {"delete answered no", Browsing, [&] { answerPassword(u"1234"_s); msgs.Answer(Msg::vbNo); }, 2, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const bool input = inInputMode(w);
        if (input != (c.before == Input))
            click(w, u.Toolbar2, input ? 1 : 5);
        u.SSTab->setCurrentIndex(0);
        u.SSTab->setCurrentIndex(1);
        if (c.before == Input)
            click(w, u.Toolbar2, 5);
        QWidget *before = c.before == Input ? static_cast<QWidget *>(u.ta2) : u.Toolbar3;
        before->setFocus();
        c.script();
        click(w, u.Toolbar2, c.button);
        // The window is active again once the prompt has closed.
        w.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.Widget()));
        EXPECT_EQ(QApplication::focusWidget(), c.focus ? c.focus : before)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
        if (c.focus == u.tq) {
            QTest::keyClicks(QApplication::focusWidget(), u"typed"_s);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(u.tq->toPlainText(), u"typed"_s) << "Tab moves on, it is not typed";
            EXPECT_EQ(QApplication::focusWidget(), u.ta1);
            const QWidget *covered[] = {u.QuestionBox, u.AnswerBox1, u.AnswerBox2, u.AnswerBox3, u.AnswerBox4,
                                        u.TrueAnswerBox, u.Text1};
            for (int i = 0; i < 12; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                for (const QWidget *box : covered)
                    EXPECT_NE(QApplication::focusWidget(), box) << box->objectName().toStdString();
            }
        }
        msgs.Clear();
    }
}
} // namespace

namespace {
// The question typed goes into the lesson the page shows: no other lesson can be chosen meanwhile.
TEST_F(EditingTest, TheLessonCannotBeChangedUnderTheInput) {
    MakeLesson(u"رياضي"_s, 2);
    for (QuestionBankForm *w : {static_cast<QuestionBankForm *>(&details<QuestionForm>()),
                                static_cast<QuestionBankForm *>(&details<frmq2>())}) {
        SCOPED_TRACE(w->Name().toStdString());
        auto &u = w->ui();
        const auto before = questions(Lesson).size();
        for (int end : {1, 3}) {
            click(*w, u.Toolbar2, 5);
            QTest::mouseClick(u.DarsCombo, Qt::LeftButton);
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : u.DarsCombo, Qt::Key_Escape);
            QTest::keyClick(u.DarsCombo, Qt::Key_Down);
            turnWheel(u.DarsCombo);
            EXPECT_EQ(u.DarsCombo->currentText(), Lesson);
            type(*w, {});
            click(*w, u.Toolbar2, end);
            EXPECT_TRUE(u.DarsCombo->isEnabled()) << end;
        }
        EXPECT_EQ(questions(Lesson).size(), before + 1);
        EXPECT_EQ(questions(u"رياضي"_s).size(), 2);
        w->Unload();
    }
}
} // namespace

namespace {
// The combos that only show a record: a wheel turn, a click or a key leaves their text as it is.
TEST_F(EditingTest, LockedCombosTakeNoWheelClickOrKey) {
    auto &bank = details<QuestionForm>();
    auto &browse = details<frmq2>();
    const std::pair<const char *, QComboBox *> combos[] = {{"bank TrueAnswerBox", bank.ui().TrueAnswerBox},
                                                           {"browse Combo1", browse.ui().Combo1}};
    for (const auto &[name, combo] : combos) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(combo->isVisible() || combo == bank.ui().TrueAnswerBox);
        combo->show();
        ASSERT_TRUE(combo->isEnabled());
        const QString shown = combo->currentText();
        const int index = combo->currentIndex();
        turnWheel(combo);
        turnWheel(combo, -120);
        QTest::mouseClick(combo, Qt::LeftButton);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no list opens";
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_4})
            QTest::keyClick(combo, key);
        EXPECT_EQ(combo->currentText(), shown);
        EXPECT_EQ(combo->currentIndex(), index);
    }
    browse.Unload();
}

TEST_F(EditingTest, TabInTheBrowseWindowsInputSkipsTheOptionShownUnderIt) {
    auto &w = details<frmq2>();
    auto &u = w.ui();
    click(w, u.Toolbar2, 5);
    w.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Widget()));
    u.tq->setFocus();
    QStringList walk;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk << QApplication::focusWidget()->objectName();
    }
    EXPECT_FALSE(walk.contains(u"Combo1"_s)) << walk.join(u' ').toStdString();
    EXPECT_TRUE(walk.contains(u"Comboa4"_s)) << walk.join(u' ').toStdString();
    click(w, u.Toolbar2, 1);
}
} // namespace
