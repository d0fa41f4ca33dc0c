#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "support/Fixture.h"
#include "exams/ExamForm.h"
#include "exams/SelectForm.h"
#include "shell/Module1.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

std::string fmt(const QString &s) { return s.toStdString(); }

const QString FewerQuestions = u" سوالات موجود در بانک کمتر از سوالات مورد نياز براي آزمون است "_s;
const QString NoQuestions = u" هيچ سوالي براي اين درس ثبت نشده.لطفا درس ديگري را براي آزمون انتخاب کنيد "_s;
const QString ChooseTrainee = u" کارآموز مورد نظر خود را از ليست انتخاب کنيد "_s;
const QString WrongCode = u"کد ملي خود را صحيح وارد کنيد "_s;
const QString NoTrainees = u" هيچ کارآموزي ثبت نام نشده  لطفا ثبت نام کنيد "_s;
const QString BadCount = u" تعداد سوالات آزمون در تنظيمات برنامه معتبر نيست (بايد عددي از 1 تا 255 باشد) و امکان برگزاري آزمون وجود ندارد "_s;
const QString BadSeconds = u" زمان پاسخ براي هر سوال در تنظيمات برنامه معتبر نيست (بايد عددي از 1 تا 255 ثانيه باشد) و امکان برگزاري آزمون وجود ندارد "_s;
const QString Unreadable = u" اطلاعات آزمون از پايگاه داده خوانده نشد "_s;
const QString MissingBank = u" سوالات اين درس در پايگاه داده پيدا نشد.لطفا درس ديگري را براي آزمون انتخاب کنيد "_s;

class ExamFormTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        ClassNumberText = u"3"_s;
        SaveSetting(u"Qusetion_Count"_s, u"20"_s);
        SaveSetting(u"Answer_Time"_s, u"40"_s);
        addTrainee(7, u"نرگس"_s, u"توکلی"_s, 1270364898);
        addTrainee(3, u"محمدرضا"_s, u"ملکی"_s, 1295218471);
    }

    void addTrainee(int id, const QString &name, const QString &family, const QVariant &code) {
        Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, clase, codemeli) VALUES (?, ?, ?, ?, ?)"_s,
             {id, name, family, u"سوم"_s, code});
    }

    ExamForm &open() {
        ExamForm &form = Forms::Get<ExamForm>();
        form.Show();
        ProcessEvents();
        return form;
    }

    // The user chooses a lesson in the drop-down list.
    void choose(ExamForm &form, const QString &lesson) {
        QComboBox *combo = form.ui().DarsCombo;
        const int at = combo->findText(lesson);
        ASSERT_GE(at, 0) << fmt(lesson);
        combo->setCurrentIndex(at);
        emit combo->activated(at);
    }

    // Picks the trainee with this ID in the picker that the choose button opens.
    void pick(ExamForm &form, int id) { PickTrainee(form.ui().Cmd_Select, id); }

    // The window ready for Start: lesson "ریاضی" (made by the test) chosen and trainee 7 picked.
    ExamForm &readyWithTrainee7() {
        ExamForm &form = open();
        choose(form, u"ریاضی"_s);
        pick(form, 7);
        return form;
    }

    void start(ExamForm &form) { QTest::mouseClick(form.ui().Cmd_Start, Qt::LeftButton); }
};

TEST_F(ExamFormTest, LoadShowsTheSavedParametersAndTheActiveLessonsOnly) {
    MakeLesson(u"ریاضی"_s, 25);
    MakeLesson(u"تاریخ"_s, 25, 0, false);
    MakeLesson(u"علوم تجربی"_s, 25);
    StartMode = 2;
    CurrentLessonName = u"پیشین"_s;
    ExamForm &form = open();
    auto &u = form.ui();

    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(u.Text2->text(), u"20"_s);
    EXPECT_EQ(u.Text3->text(), u"40"_s);
    EXPECT_EQ(u.Text4->text(), u"13.33"_s);
    EXPECT_EQ(QuestionCount, 20);
    EXPECT_EQ(SecondsPerQuestion, 40);
    EXPECT_EQ(StartMode, 0);
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    ASSERT_EQ(u.DarsCombo->count(), 2);
    EXPECT_EQ(u.DarsCombo->itemText(0), u"ریاضی"_s);
    EXPECT_EQ(u.DarsCombo->itemText(1), u"علوم تجربی"_s);
    EXPECT_EQ(u.DarsCombo->currentIndex(), -1);
    EXPECT_TRUE(u.DarsCombo->isEnabled());
    EXPECT_EQ(u.txttellumo->text(), u"-1"_s);

    EXPECT_FALSE(u.Cmd_Select->isEnabled());
    EXPECT_FALSE(u.Cmd_Start->isEnabled());
    EXPECT_FALSE(u.Option1->isEnabled());
    EXPECT_FALSE(u.Option2->isEnabled());
    EXPECT_TRUE(u.Option2->isChecked());
    EXPECT_FALSE(u.Text6->isVisible());
    EXPECT_FALSE(u.Text7->isVisible());
    EXPECT_FALSE(u.txttellumo->isVisible());
    EXPECT_TRUE(u.Text1->text().isEmpty());
    EXPECT_TRUE(u.Text5->text().isEmpty());
    for (QLineEdit *shown : {u.Text1, u.Text2, u.Text3, u.Text4, u.Text5})
        EXPECT_TRUE(shown->isReadOnly()) << fmt(shown->objectName());
    form.Unload();
}

struct MinutesCase {
    const char *count, *seconds, *minutes;
};

TEST_F(ExamFormTest, TotalMinutesAreCutToFiveCharacters) {
    const MinutesCase cases[] = {
        {"20", "40", "13.33"}, {"25", "40", "16.66"}, {"20", "30", "10"}, {"1", "20", "0.333"},
    };
    for (const MinutesCase &c : cases) {
        SaveSetting(u"Qusetion_Count"_s, QString::fromLatin1(c.count));
        SaveSetting(u"Answer_Time"_s, QString::fromLatin1(c.seconds));
        ExamForm &form = open();
        EXPECT_EQ(TotalMinutesText, QString::fromLatin1(c.minutes)) << c.count << " x " << c.seconds;
        EXPECT_EQ(form.ui().Text4->text(), QString::fromLatin1(c.minutes));
        EXPECT_EQ(QuestionCount, QString::fromLatin1(c.count).toInt());
        EXPECT_EQ(SecondsPerQuestion, QString::fromLatin1(c.seconds).toInt());
        form.Unload();
    }
    EXPECT_TRUE(msgs.calls.empty());
}

struct SavedCase {
    const char *count, *seconds;
    const QString *message; // nullptr: the values are taken
};

// A count or a time that is no byte from 1 to 255 would make a wrong exam: it is refused at load.
TEST_F(ExamFormTest, SavedParametersThatAreNoByteAboveZeroAreRefused) {
    const SavedCase cases[] = {
        {"", "40", &BadCount},      {"abc", "40", &BadCount}, {"0", "40", &BadCount},  {"256", "40", &BadCount},
        {"-3", "40", &BadCount},    {"20x", "40", &BadCount}, {"20", "", &BadSeconds}, {"20", "0", &BadSeconds},
        {"20", "300", &BadSeconds}, {"20", "x", &BadSeconds}, {"255", "1", nullptr},   {"1", "255", nullptr},
    };
    MakeLesson(u"ریاضی"_s, 300);
    for (const SavedCase &c : cases) {
        SCOPED_TRACE(std::string(c.count) + " / " + c.seconds);
        SaveSetting(u"Qusetion_Count"_s, QString::fromLatin1(c.count));
        SaveSetting(u"Answer_Time"_s, QString::fromLatin1(c.seconds));
        msgs.Clear();
        ExamForm &form = open();
        if (c.message) {
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, *c.message);
            EXPECT_EQ(msgs.Last().style, 48);
            EXPECT_TRUE(msgs.Last().titleGiven);
            EXPECT_TRUE(msgs.Last().title.isEmpty());
            EXPECT_FALSE(form.ui().DarsCombo->isEnabled());
            EXPECT_TRUE(TotalMinutesText.isEmpty());
        } else {
            EXPECT_TRUE(msgs.calls.empty());
            EXPECT_TRUE(form.ui().DarsCombo->isEnabled());
        }
        form.Unload();
    }
}

struct BankCase {
    const char *why;
    QString lesson;
    int questions, marked;
    const QString *message;
    bool select, option1, option2, startButton;
};

TEST_F(ExamFormTest, ChoosingALessonChecksItsBank) {
    const BankCase cases[] = {
        {"20 marked of 20", u"درس 'ویژه' \"اول\""_s, 20, 20, nullptr, true, true, true, true},
        {"19 rows for 20", u"ریاضی"_s, 19, 0, &FewerQuestions, false, false, false, false},
        {"19 marked of 30", u"علوم تجربی"_s, 30, 19, nullptr, true, false, true, true},
        {"no rows", u"هندسه"_s, 0, 0, &NoQuestions, false, false, false, false},
        {"21 marked of 30", u"ادبیات"_s, 30, 21, nullptr, true, false, true, true},
    };
    for (const BankCase &c : cases)
        MakeLesson(c.lesson, c.questions, c.marked);
    ExamForm &form = open();
    auto &u = form.ui();
    form.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    for (const BankCase &c : cases) {
        SCOPED_TRACE(c.why);
        msgs.Clear();
        u.Option1->setChecked(true); // a choice before this one left Option1 selected
        u.Cmd_Cancel->setFocus();
        choose(form, c.lesson);
        if (c.message) {
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, *c.message);
            EXPECT_EQ(msgs.Last().style, 48);
            EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());
            EXPECT_TRUE(u.DarsCombo->hasFocus()); // back to the lesson choice
        } else {
            EXPECT_TRUE(msgs.calls.empty());
            EXPECT_TRUE(u.Option2->isChecked());
        }
        EXPECT_EQ(u.Text1->text(), QString::number(c.questions));
        EXPECT_EQ(u.Cmd_Select->isEnabled(), c.select);
        EXPECT_EQ(u.Option1->isEnabled(), c.option1);
        EXPECT_EQ(u.Option2->isEnabled(), c.option2);
        EXPECT_EQ(u.Cmd_Start->isEnabled(), c.startButton);
    }
    form.Unload();
}

TEST_F(ExamFormTest, ALessonWithoutItsQuestionTableIsToldPlainly) {
    MakeLesson(u"ریاضی"_s, 20, 20);
    Exec(u"INSERT INTO droos (name, yn) VALUES (?, '-1')"_s, {u"بی جدول"_s});
    ExamForm &form = open();
    auto &u = form.ui();
    choose(form, u"ریاضی"_s);
    choose(form, u"بی جدول"_s);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, MissingBank);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(u.Text1->text().isEmpty());
    EXPECT_FALSE(u.Cmd_Select->isEnabled());
    EXPECT_FALSE(u.Cmd_Start->isEnabled());
    EXPECT_FALSE(u.Option1->isEnabled());
    EXPECT_FALSE(u.Option2->isEnabled());
    form.Unload();
}

TEST_F(ExamFormTest, AnUnreadableDatabaseAtLoadIsToldPlainly) {
    TestDb().close();
    ASSERT_TRUE(QFile::remove(DatabasePath()));
    ExamForm &form = open();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Unreadable);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(form.ui().DarsCombo->count(), 0);
    EXPECT_TRUE(form.ui().txttellumo->text().isEmpty()); // read as access off
    form.Unload();
}

TEST_F(ExamFormTest, WithExamAccessOffNoTraineeCanBePickedAndStartAsksForOne) {
    Exec(u"UPDATE setting SET tellumo=0"_s);
    MakeLesson(u"ریاضی"_s, 20);
    ExamForm &form = open();
    auto &u = form.ui();
    choose(form, u"ریاضی"_s);
    EXPECT_FALSE(u.Cmd_Select->isEnabled());
    EXPECT_TRUE(u.Cmd_Start->isEnabled());

    form.Widget()->activateWindow();
    u.Cmd_Start->setFocus();
    start(form);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, ChooseTrainee);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(u.Cmd_Start->hasFocus());
    EXPECT_TRUE(form.IsLoaded());
    form.Unload();
}

TEST_F(ExamFormTest, StartWithoutATraineeSendsTheFocusToTheChooseButton) {
    MakeLesson(u"ریاضی"_s, 20);
    ExamForm &form = open();
    choose(form, u"ریاضی"_s);
    form.Widget()->activateWindow();
    form.ui().Cmd_Start->setFocus();
    start(form);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, ChooseTrainee);
    EXPECT_TRUE(form.ui().Cmd_Select->hasFocus());
    EXPECT_EQ(StartMode, 0);
    form.Unload();
}

TEST_F(ExamFormTest, APickFillsTheBoxesAndSurvivesAnotherLesson) {
    MakeLesson(u"ریاضی"_s, 20, 20);
    MakeLesson(u"علوم"_s, 20);
    ExamForm &form = open();
    auto &u = form.ui();
    const int buttonsAt = u.Cmd_Start->y();
    choose(form, u"ریاضی"_s);
    pick(form, 7);
    ProcessEvents();
    EXPECT_EQ(u.Cmd_Start->y(), buttonsAt); // the entry code shows in a place kept for it
    EXPECT_EQ(u.Text5->text(), u"نرگس  توکلی"_s);
    EXPECT_EQ(u.Text6->text(), u"1270364898"_s);
    EXPECT_TRUE(u.Text7->isVisible());
    EXPECT_TRUE(u.Text7->text().isEmpty());
    EXPECT_EQ(form.Widget()->focusWidget(), u.Text7); // ready for the code
    EXPECT_FALSE(u.Text6->isVisible());
    EXPECT_EQ(SelectedTraineeName, u"نرگس  توکلی"_s);

    choose(form, u"علوم"_s);
    EXPECT_EQ(u.Text5->text(), u"نرگس  توکلی"_s);
    EXPECT_EQ(u.Text6->text(), u"1270364898"_s);
    form.Unload();
}

TEST_F(ExamFormTest, ThePickerOpensBelowAndRightOfTheSetUp) {
    MakeLesson(u"ریاضی"_s, 20);
    ExamForm &form = open();
    form.Move(3000, 1500);
    choose(form, u"ریاضی"_s);
    int left = 0, top = 0;
    modal.On(u"SelectForm"_s, [&](QDialog &) {
        left = Forms::Get<SelectForm>().Left();
        top = Forms::Get<SelectForm>().Top();
    });
    QTest::mouseClick(form.ui().Cmd_Select, Qt::LeftButton);
    // Placed in whole pixels: within one pixel (15 twips) of the asked place.
    EXPECT_NEAR(left, form.Left() + 1900, 15);
    EXPECT_NEAR(top, form.Top() + 3300, 15);
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());
    form.Unload();
}

TEST_F(ExamFormTest, StartLeavesTheExamInTheSharedStateAndClosesTheSetUp) {
    MakeLesson(u"ریاضی"_s, 20, 20);
    ExamForm &form = readyWithTrainee7();
    form.ui().Option1->setChecked(true);
    QTest::keyClicks(form.ui().Text7, u"1270364898"_s);
    start(form);

    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(StartMode, 1);
    EXPECT_EQ(CurrentLessonName, u"ریاضی"_s);
    EXPECT_EQ(SelectedTraineeName, u"نرگس  توکلی"_s);
    EXPECT_EQ(EnteredNationalCode, u"1270364898"_s);
    EXPECT_EQ(QuestionCount, 20);
    EXPECT_EQ(SecondsPerQuestion, 40);
    EXPECT_EQ(TotalMinutesText, u"13.33"_s);
    ASSERT_FALSE(modal.opened.empty());
    EXPECT_EQ(modal.opened.back(), "RunExamForm");
}

struct EntryCase {
    const char *why;
    QVariant storedCode;
    QString typed;
    bool admitted;
};

TEST_F(ExamFormTest, TheEntryCodeMustEqualTheNationalCodeExactly) {
    const EntryCase cases[] = {
        {"same code", 1270364898, u"1270364898"_s, true},
        {"trailing space", 1270364898, u"1270364898 "_s, false},
        {"leading space", 1270364898, u" 1270364898"_s, false},
        {"other digits", 1270364898, u"1270364899"_s, false},
        {"other letter case", u"AB1234"_s, u"ab1234"_s, false},
        {"empty code, nothing typed", QVariant(), QString(), true},
        {"empty code, something typed", QVariant(), u"0"_s, false},
    };
    MakeLesson(u"ریاضی"_s, 20);
    for (const EntryCase &c : cases) {
        SCOPED_TRACE(c.why);
        Exec(u"UPDATE Karamooz3 SET codemeli=? WHERE ID=7"_s, {c.storedCode});
        StartMode = 0;
        EnteredNationalCode = u"پیشین"_s;
        msgs.Clear();
        ExamForm &form = readyWithTrainee7();
        auto &u = form.ui();
        u.Text7->setText(c.typed);
        form.Widget()->activateWindow(); // back from the picker
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
        u.Cmd_Start->setFocus();
        start(form);
        if (c.admitted) {
            EXPECT_TRUE(msgs.calls.empty());
            EXPECT_FALSE(form.IsLoaded());
            EXPECT_EQ(StartMode, 2);
            EXPECT_EQ(EnteredNationalCode, c.typed);
        } else {
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, WrongCode);
            EXPECT_EQ(msgs.Last().style, 48);
            EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());
            EXPECT_TRUE(form.IsLoaded());
            EXPECT_TRUE(u.Text7->text().isEmpty());
            EXPECT_TRUE(u.Text7->isEnabled());
            EXPECT_FALSE(u.Text7->isReadOnly());
            EXPECT_TRUE(u.Text7->hasFocus());
            EXPECT_EQ(StartMode, 0);
            EXPECT_EQ(EnteredNationalCode, u"پیشین"_s);
            form.Unload();
        }
    }
}

TEST_F(ExamFormTest, AClassWithoutTraineesGetsTheMessageAndNoPicker) {
    ClassNumberText = u"5"_s;
    MakeLesson(u"ریاضی"_s, 20);
    ExamForm &form = open();
    choose(form, u"ریاضی"_s);
    QTest::mouseClick(form.ui().Cmd_Select, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, NoTrainees);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());
    EXPECT_TRUE(std::find(modal.opened.begin(), modal.opened.end(), u"SelectForm"_s) == modal.opened.end());
    EXPECT_FALSE(Forms::Exists<SelectForm>() && Forms::Get<SelectForm>().IsLoaded());
    form.Unload();
}

TEST_F(ExamFormTest, CancelClosesAndStoresNothing) {
    MakeLesson(u"ریاضی"_s, 20);
    ExamForm &form = readyWithTrainee7();
    QTest::keyClicks(form.ui().Text7, u"1270364898"_s);
    QTest::mouseClick(form.ui().Cmd_Cancel, Qt::LeftButton);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(StartMode, 0);
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    EXPECT_TRUE(EnteredNationalCode.isEmpty());

    // Opened again, it starts from its design state.
    ExamForm &again = open();
    EXPECT_TRUE(again.ui().Text5->text().isEmpty());
    EXPECT_FALSE(again.ui().Text7->isVisible());
    EXPECT_FALSE(again.ui().Cmd_Start->isEnabled());
    again.Unload();
}

} // namespace


// Another workstation holds the file at the load, the lesson choice and the trainee picker: each waits with
// the window painting, and a wait the user gives up is told as busy, never as missing or unreadable.
TEST_F(ExamFormTest, TheLessonChoiceAndThePickerWaitForAHeldFileAndTellItAsBusy) {
    MakeLesson(u"ریاضی"_s, 20, 20);
    FileLock atLoad(DatabasePath(), 200);
    ExamForm &form = open();
    auto &u = form.ui();
    EXPECT_FALSE(atLoad.Held());
    EXPECT_EQ(u.DarsCombo->count(), 1);
    EXPECT_EQ(u.txttellumo->text(), u"-1"_s);
    {
        FileLock other(DatabasePath(), 200);
        choose(form, u"ریاضی"_s);
        EXPECT_FALSE(other.Held());
        EXPECT_GT(other.PaintsWhileHeld(), 0);
        EXPECT_EQ(u.Text1->text(), u"20"_s);
        EXPECT_TRUE(u.Option1->isEnabled());
    }
    {
        FileLock other(DatabasePath(), 200);
        pick(form, 7);
        EXPECT_FALSE(other.Held());
        EXPECT_GT(other.PaintsWhileHeld(), 0);
        EXPECT_EQ(u.Text5->text(), u"نرگس  توکلی"_s);
    }
    EXPECT_TRUE(msgs.calls.empty()) << fmt(msgs.calls.front().text);

    Db::SetBusyPatience(50);
    const std::vector<std::pair<const char *, std::function<void()>>> givenUp = {
        {"picker", [&] { QTest::mouseClick(u.Cmd_Select, Qt::LeftButton); }},
        {"lesson choice", [&] { choose(form, u"ریاضی"_s); }},
    };
    for (const auto &[what, run] : givenUp) {
        SCOPED_TRACE(what);
        msgs.Clear();
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        run();
        ASSERT_EQ(msgs.calls.size(), 2u);
        EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
        EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
        EXPECT_EQ(msgs.calls[1].style, 48);
        EXPECT_TRUE(msgs.calls[1].titleGiven && msgs.calls[1].title.isEmpty());
    }
    EXPECT_TRUE(u.Text1->text().isEmpty());
    EXPECT_FALSE(u.Cmd_Start->isEnabled());
    EXPECT_FALSE(Forms::Exists<SelectForm>() && Forms::Get<SelectForm>().IsLoaded());
    form.Unload();
}
