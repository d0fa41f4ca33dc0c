#include <QLineEdit>
#include <QPixmap>
#include <QTextEdit>
#include <QPushButton>
#include <QTest>

#include "NotesFixture.h"
#include "exams/ExamForm.h"
#include "exams/SelectForm.h"
#include "shell/Module1.h"
#include "trainees/noteadd.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QString NoTrainees = u" هيچ کارآموزي ثبت نام نشده  لطفا ثبت نام کنيد "_s;
const QString ChooseTrainee = u" کارآموز مورد نظر خود را از ليست انتخاب کنيد "_s;
const QString WrongCode = u"کد ملي خود را صحيح وارد کنيد "_s;

class NoteAddTest : public NotesFixture {
protected:
    void SetUp() override {
        NotesFixture::SetUp();
        AddTrainee(7, u"نرگس"_s, u"توکلی"_s, code7);
        AddTrainee(3, u"محمدرضا"_s, u"ملکی"_s, u"1295218471"_s);
        CurrentLessonName = u"گیاهان دارویی"_s;
    }

    noteadd &open() {
        noteadd &dialog = Forms::Get<noteadd>();
        dialog.Show();
        dialog.Widget()->activateWindow();
        ProcessEvents();
        return dialog;
    }

    void confirm(noteadd &dialog) { QTest::mouseClick(dialog.ui().Cmd_Start, Qt::LeftButton); }
};

TEST_F(NoteAddTest, OpensWithTheHeadingAndNothingPicked) {
    noteadd &dialog = open();
    auto &u = dialog.ui();
    EXPECT_EQ(dialog.Widget()->windowTitle(), u"ثبت تحقيق"_s);
    EXPECT_EQ(u.Text1->toPlainText(),
              u"شما مي خواهيد در مورد موضوع زير مطلب جديد وارد کنيد در صورت اطمينان بقيه مراحل را طي کنيد"_s);
    EXPECT_EQ(u.lblmozo->text(), u"گیاهان دارویی"_s);
    EXPECT_EQ(u.Label5->text(), u"کارآموز انتخابي :"_s);
    EXPECT_EQ(u.Label11->text(), u"رمز ورود :"_s);
    EXPECT_EQ(u.Cmd_Select->text(), u"..."_s);
    EXPECT_EQ(u.Cmd_Start->text(), u"تائيد"_s);
    EXPECT_EQ(u.Cmd_Cancel->text(), u"انصراف"_s);
    EXPECT_TRUE(u.Text5->text().isEmpty());
    EXPECT_TRUE(u.Text5->isReadOnly());
    EXPECT_TRUE(u.Text6->isHidden());
    EXPECT_TRUE(u.Text7->isHidden());
    EXPECT_EQ(u.Text7->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(u.Cmd_Start->isEnabled());
    // The first thing to do is to choose, not to sit in the box that only shows the choice.
    EXPECT_EQ(dialog.Widget()->focusWidget(), u.Cmd_Select);
    dialog.Unload();
}

TEST_F(NoteAddTest, AClassWithoutTraineesGetsTheMessageAndNoPicker) {
    ClassNumberText = u"5"_s;
    noteadd &dialog = open();
    QTest::mouseClick(dialog.ui().Cmd_Select, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    ExpectMessage(NoTrainees, 48);
    EXPECT_TRUE(modal.opened.empty());
    EXPECT_FALSE(dialog.ui().Cmd_Start->isEnabled());
    dialog.Unload();
}

TEST_F(NoteAddTest, APickFillsOnlyThisDialogAndOpensThePickerBelowAndRight) {
    ExamForm &exam = Forms::Get<ExamForm>();
    exam.Show();
    exam.ui().Text5->setText(u"قبلی"_s);
    CurrentLessonName = u"گیاهان دارویی"_s; // the exam set-up clears it
    noteadd &dialog = open();
    dialog.Move(3000, 1500);
    int left = 0, top = 0;
    modal.On(u"SelectForm"_s, [&](QDialog &) {
        left = Forms::Get<SelectForm>().Left();
        top = Forms::Get<SelectForm>().Top();
    });
    QTest::mouseClick(dialog.ui().Cmd_Select, Qt::LeftButton);
    EXPECT_NEAR(left, dialog.Left() + 1900, 15);
    EXPECT_NEAR(top, dialog.Top() + 3300, 15);

    Pick(dialog, 7);
    auto &u = dialog.ui();
    EXPECT_EQ(u.Text5->text(), name7);
    EXPECT_EQ(u.Text6->text(), code7);
    EXPECT_TRUE(u.Text7->isVisible());
    EXPECT_EQ(dialog.Widget()->focusWidget(), u.Text7); // ready for the code
    EXPECT_TRUE(u.Cmd_Start->isEnabled());
    EXPECT_EQ(SelectedTraineeName, name7);
    EXPECT_EQ(exam.ui().Text5->text(), u"قبلی"_s);
    EXPECT_TRUE(exam.ui().Text6->text().isEmpty());
    EXPECT_TRUE(exam.ui().Text7->isHidden());
    Type(u.Text7, u"1270"_s);
    if (const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); !shots.isEmpty())
        dialog.Widget()->grab().save(shots + u"/noteadd.png"_s);
    dialog.Unload();
    exam.Unload();
}

TEST_F(NoteAddTest, PickerClosedWithoutAPickThenConfirmAsksForATrainee) {
    StartMode = 1;
    noteadd &dialog = open();
    QTest::mouseClick(dialog.ui().Cmd_Select, Qt::LeftButton); // the picker opens and is closed at once
    EXPECT_EQ(modal.opened, std::vector<QString>{u"SelectForm"_s});
    ASSERT_TRUE(dialog.ui().Cmd_Start->isEnabled());
    dialog.Widget()->activateWindow();
    ProcessEvents();
    dialog.ui().Cmd_Start->setFocus();
    confirm(dialog);
    ASSERT_EQ(msgs.calls.size(), 1u);
    ExpectMessage(ChooseTrainee, 48);
    EXPECT_TRUE(dialog.ui().Cmd_Select->hasFocus());
    EXPECT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(StartMode, 1); // not touched
    dialog.Unload();
}

TEST_F(NoteAddTest, OnlyAConfirmedCloseLeavesStartModeOne) {
    enum Finish { ByConfirm, ByCancel, ByCloseBox };
    const struct {
        const char *label;
        QStringList codes; // typed and confirmed in turn
        Finish finish;
        int startMode;
        int wrongCodes;
    } cases[] = {
        {"right code", {u"1270364898"_s}, ByConfirm, 1, 0},
        {"two wrong codes, then the right one", {u"1111"_s, u"1270364898 "_s, u"1270364898"_s}, ByConfirm, 1, 2},
        {"a trailing space, then cancel", {u"1270364898 "_s}, ByCancel, 0, 1},
        {"a wrong code, then cancel", {u"12"_s}, ByCancel, 0, 1},
        {"the close box after a pick", {}, ByCloseBox, 0, 0},
        {"a wrong code, then the close box", {u"127036489"_s}, ByCloseBox, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        msgs.Clear();
        StartMode = c.finish == ByConfirm ? 0 : 1; // a confirm of an earlier note left 1 behind
        EnteredNationalCode.clear();
        noteadd &dialog = open();
        Pick(dialog, 7);
        auto &u = dialog.ui();
        for (const QString &code : c.codes) {
            if (!dialog.IsLoaded())
                break;
            Type(u.Text7, code);
            confirm(dialog);
            if (dialog.IsLoaded()) {
                ExpectMessage(WrongCode, 48);
                EXPECT_TRUE(u.Text7->text().isEmpty());
                EXPECT_TRUE(u.Text7->hasFocus());
                EXPECT_TRUE(u.Text7->isEnabled());
                EXPECT_FALSE(u.Text7->isReadOnly());
            }
        }
        if (c.finish == ByCancel)
            QTest::mouseClick(u.Cmd_Cancel, Qt::LeftButton);
        else if (c.finish == ByCloseBox)
            dialog.Widget()->close();
        EXPECT_FALSE(dialog.IsLoaded());
        EXPECT_EQ(StartMode, c.startMode);
        EXPECT_EQ(int(msgs.calls.size()), c.wrongCodes);
        EXPECT_EQ(EnteredNationalCode, c.startMode == 1 ? code7 : QString());
    }
}

TEST_F(NoteAddTest, EveryOpeningStartsFresh) {
    noteadd &dialog = open();
    Pick(dialog, 7);
    QTest::mouseClick(dialog.ui().Cmd_Cancel, Qt::LeftButton);
    CurrentLessonName = u"نجوم"_s;
    open();
    auto &u = dialog.ui();
    EXPECT_EQ(u.lblmozo->text(), u"نجوم"_s);
    EXPECT_TRUE(u.Text5->text().isEmpty());
    EXPECT_TRUE(u.Text7->isHidden());
    EXPECT_FALSE(u.Cmd_Start->isEnabled());
    dialog.Unload();
}

} // namespace
