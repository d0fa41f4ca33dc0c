#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <algorithm>

#include "platform/TextLimit.h"
#include "support/Fixture.h"
#include "platform/DataControl.h"
#include "platform/Modal.h"
#include "shell/Module1.h"
#include "trainees/FilterForm.h"
#include "trainees/KaramoozList.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QString AskForCode = u" لطفا کد کارآموزي را وارد کنيد "_s;
const QString CodeNotFound = u" کارآموزي با اين کد در ليست يافت نشد  "_s;
const QString FillOneAtLeast = u"   حداقل بايد يکي از گزينه ها براي جستجو تکميل باشد    "_s;
const QString BadDate = u" لطفا تاريخ ثبت را به صورت صحيح وارد نماييد "_s;
const QString NobodyMatches = u" کارآموزي با اين مشخصات در ليست يافت نشد  "_s;

struct Trainee {
    int id;
    QString name, family, father;
    qlonglong code;
    QString registered; // as stored
};

// Class 2, registered around 1393/07/05 (27 September 2014).
const Trainee Class2[] = {
    {1, u"علی"_s, u"احمدی"_s, u"محمد"_s, 1273019849, u"2014-09-26"_s},  // 1393/07/04
    {2, u"علی"_s, u"کریمی"_s, u"حسن"_s, 1280936479, u"2014-09-27"_s},   // 1393/07/05
    {3, u"زهرا"_s, u"احمدی"_s, u"حسن"_s, 1263450982, u"2014-09-28"_s},  // 1393/07/06
    {4, u"O'Hara"_s, u"رضایی"_s, u"مجید"_s, 12345678, u"2015-03-20"_s}, // 1393/12/29
};

// Types text key by key as a keyboard does, Persian letters included.
void type(QWidget *box, const QString &text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(box, &release);
    }
}

class FilterFormTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        ClassNumberText = u"2"_s;
        for (const Trainee &t : Class2)
            Exec(u"INSERT INTO Karamooz2 (ID, Name, Family, fathername, codemeli, Sabtdate) VALUES (?, ?, ?, ?, ?, ?)"_s,
                 {t.id, t.name, t.family, t.father, t.code, t.registered});
        Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, fathername, codemeli, Sabtdate) VALUES (9, ?, ?, ?, 1, ?)"_s,
             {u"علی"_s, u"احمدی"_s, u"حسن"_s, u"2014-09-27"_s});
        Exec(u"INSERT INTO Karnameh2 (name, KID, Lesson, ExamDate, QCount) VALUES (?, 1280936479, ?, ?, 20)"_s,
             {u"علی  کریمی"_s, u"رياضي"_s, u"شنبه  5  مهر  1393"_s});
        SelectedYearText = u"1393-1394"_s;
        SelectedClassName = u"دوم"_s;
        Forms::Get<KaramoozList>().Show();
        ProcessEvents();
        wholeClass = list().RecordSource;
    }
    QString wholeClass;

    KaramoozList &trainees() { return Forms::Get<KaramoozList>(); }
    DataControl &list() { return *trainees().Adodc1; }
    QTabWidget &tabs() { return *trainees().ui().SSTab; }

    // The list's own search command: the whole class again, then the search over it.
    FilterForm &searchFromList() {
        QTest::mouseClick(trainees().ui().Cmd_Search, Qt::LeftButton);
        ProcessEvents();
        return Forms::Get<FilterForm>();
    }
    // The search shown again over the list as it stands (the list's command would reload it first).
    FilterForm &search() {
        FilterForm::ShowFor(&list(), &tabs());
        ProcessEvents();
        return Forms::Get<FilterForm>();
    }
    Ui::FilterForm &ui() { return Forms::Get<FilterForm>().ui(); }

    // The IDs the list holds, in ID order.
    std::vector<int> listed() {
        std::vector<int> ids;
        Recordset &rs = list().Recordset();
        for (int row = 0; row < rs.RecordCount(); ++row)
            ids.push_back(rs.ValueAt(row, rs.FieldIndex(u"ID"_s)).toInt());
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    int currentId() {
        Recordset &rs = list().Recordset();
        return rs.IsBOF() || rs.IsEOF() ? -1 : rs.Value(u"ID"_s).toInt();
    }
    // The box that has the window's focus (the window need not be the active one).
    bool focused(QWidget *box) { return Forms::Get<FilterForm>().Widget()->focusWidget() == box; }
    void findByParticulars(const QString &name, const QString &family, const QString &father,
                           const QString &date = QString(), int comparison = 0) {
        search();
        QTest::mouseClick(ui().Option2, Qt::LeftButton);
        ui().T2->setText(name);
        ui().T3->setText(family);
        ui().T4->setText(father);
        ui().T5->setText(date);
        ui().Combo1->setCurrentIndex(comparison);
        QTest::mouseClick(ui().cmd_find, Qt::LeftButton);
    }
    void expectMessage(const QString &text, int style) {
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, text);
        EXPECT_EQ(msgs.Last().style, style);
        EXPECT_TRUE(msgs.Last().titleGiven);
        EXPECT_EQ(msgs.Last().title, QString());
    }

};

TEST_F(FilterFormTest, OpensByCodeWithItsCaptions) {
    FilterForm &form = search();
    EXPECT_EQ(form.Widget()->windowTitle(), u"  < جستجو >"_s);
    const std::pair<QString, QString> texts[] = {
        {ui().Label6->text(), u"کد ملي :"_s},          {ui().Label5->text(), u"مشخصات کار آموز "_s},
        {ui().Label1->text(), u"نام :"_s},             {ui().Label2->text(), u"شهرت :"_s},
        {ui().Label3->text(), u"نام پدر :"_s},         {ui().Label4->text(), u"تاريخ ثبت نام :"_s},
        {ui().cmd_find->text(), u"يافتن"_s},           {ui().Cmd_Cancel->text(), u"انصراف"_s},
    };
    for (const auto &[shown, expected] : texts)
        EXPECT_EQ(shown, expected);
    ASSERT_EQ(ui().Combo1->count(), 4);
    const QString comparisons[] = {u"="_s, u">"_s, u"<"_s, u"<>"_s};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ui().Combo1->itemText(i), comparisons[i]);
    EXPECT_FALSE(ui().Combo1->isEditable());
    EXPECT_EQ(ui().Combo1->currentText(), u"="_s);
    EXPECT_TRUE(ui().Option1->isChecked());
    EXPECT_TRUE(ui().T1->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{ui().T2, ui().T3, ui().T4, ui().T5, ui().Combo1})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(TextLimit::Of(ui().T1), 10);
    EXPECT_EQ(TextLimit::Of(ui().T5), 10);
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, FindsByNationalCode) {
    const struct {
        QString typed;
        QString message; // none when found
        int style;
        int tab;
        int current;
    } cases[] = {
        {QString(), AskForCode, 48, 0, 1},
        {u"   "_s, AskForCode, 48, 0, 1},
        {u"999"_s, CodeNotFound, 64, 0, -1},
        {u"12-34"_s, CodeNotFound, 64, 0, -1}, // pasted: no code is like it
        {u"1280936479"_s, QString(), 0, 2, 2},
        {u"0012345678"_s, QString(), 0, 2, 4}, // the leading zeros of a code are not stored
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        msgs.Clear();
        tabs().setCurrentIndex(0);
        list().Recordset().MoveFirst();
        search();
        ui().T1->setText(c.typed);
        ui().T1->setFocus();
        QTest::keyClick(ui().T1, Qt::Key_Return);
        if (c.message.isEmpty())
            EXPECT_TRUE(msgs.calls.empty());
        else
            expectMessage(c.message, c.style);
        EXPECT_EQ(tabs().currentIndex(), c.tab);
        EXPECT_EQ(currentId(), c.current);
        if (c.message == AskForCode) {
            EXPECT_TRUE(focused(ui().T1));
        }
        if (c.message == CodeNotFound) {
            EXPECT_EQ(ui().T1->selectedText(), c.typed);
        }
        // The search stays open whatever it found.
        EXPECT_TRUE(Forms::Get<FilterForm>().Widget()->isVisible());
    }
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, NarrowsTheListByParticulars) {
    const struct {
        QString name, family, father, date;
        int comparison;
        std::vector<int> ids;
    } cases[] = {
        {{}, {}, u"حسن"_s, {}, 0, {2, 3}},
        {{}, u"احمدی"_s, u"حسن"_s, {}, 0, {3}}, // every box must match, not any
        {u"علی"_s, {}, {}, u"1393/07/05"_s, 0, {2}},
        {{}, {}, {}, u"1393/07/05"_s, 1, {3, 4}},
        {{}, {}, {}, u"1393/07/05"_s, 2, {1}},
        {{}, {}, {}, u"1393/07/05"_s, 3, {1, 3, 4}},
        {{}, {}, {}, u"1393/12/29"_s, 0, {4}},
        {u"  علی "_s, u" احمدی"_s, {}, {}, 0, {1}}, // surrounding blanks are not part of a name
        {u"O'HARA"_s, {}, {}, {}, 0, {4}},          // pasted with its apostrophe; Latin letters in any case
        {u"x' OR '1'='1"_s, {}, {}, {}, 0, {1, 2, 3, 4}}, // matches nobody: the class is back
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.name + u"|"_s + c.family + u"|"_s + c.father + u"|"_s + c.date).toStdString());
        msgs.Clear();
        findByParticulars(c.name, c.family, c.father, c.date, c.comparison);
        EXPECT_EQ(listed(), c.ids);
        EXPECT_EQ(tabs().currentIndex(), 0);
        if (c.ids.size() == 4) {
            expectMessage(NobodyMatches, 64);
            EXPECT_TRUE(list().RecordSourceValues.isEmpty());
        } else {
            EXPECT_TRUE(msgs.calls.empty());
            // The typed values travel beside the query, never inside it.
            for (const QString &typed : {c.name.trimmed(), c.family.trimmed(), c.father.trimmed()})
                if (!typed.isEmpty()) {
                    EXPECT_FALSE(list().RecordSource.contains(typed));
                }
        }
    }
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, RefusesMissingOrImpossibleParticulars) {
    const struct {
        QString name, date, message;
    } cases[] = {
        {u" "_s, u"  "_s, FillOneAtLeast},
        {u"علی"_s, u"1393/13/01"_s, BadDate},
        {u"علی"_s, u"1393/7/5"_s, BadDate},
        {{}, u"1393/12/30"_s, BadDate}, // 1393 is a common year
        {{}, u"1393/07/31"_s, BadDate}, // Mehr has 30 days
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.date.toStdString());
        msgs.Clear();
        findByParticulars(c.name, {}, {}, c.date);
        expectMessage(c.message, 48);
        EXPECT_EQ(list().RecordSource, wholeClass); // nothing queried
        EXPECT_EQ(listed(), (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(ui().T2->text(), c.name); // the other entries stay
        if (c.message == BadDate) {
            EXPECT_TRUE(focused(ui().T5));
            EXPECT_EQ(ui().T5->selectedText(), c.date);
        }
    }
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, CodeSearchLooksAmongTheNarrowedRows) {
    findByParticulars({}, {}, u"حسن"_s);
    ASSERT_EQ(listed(), (std::vector<int>{2, 3}));
    QTest::mouseClick(ui().Option1, Qt::LeftButton);
    ui().T1->setText(u"1273019849"_s); // trainee 1, not among them
    QTest::mouseClick(ui().cmd_find, Qt::LeftButton);
    expectMessage(CodeNotFound, 64);
    EXPECT_EQ(listed(), (std::vector<int>{2, 3}));
    msgs.Clear();
    ui().T1->setText(u"1263450982"_s);
    QTest::mouseClick(ui().cmd_find, Qt::LeftButton);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(tabs().currentIndex(), 2);
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, KeyFilters) {
    const struct {
        const char *box;
        QString typed, entered;
    } cases[] = {
        {"T1", u"12a-/7"_s, u"127"_s},
        {"T2", u"a"_s, u"A"_s},
        {"T2", u"5"_s, {}},
        {"T2", u"ab علی"_s, u"AB علی"_s},
        {"T3", u"'؟?/\\-_"_s, {}},
        {"T4", u"~|;:=+"_s, {}},
        {"T5", u"1393/07/05"_s, u"1393/07/05"_s},
        {"T5", u"-"_s, {}},
        {"T5", u"1393/07/05/1"_s, u"1393/07/05"_s}, // ten characters at most
    };
    search();
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed.toStdString());
        auto *box = Forms::Get<FilterForm>().Widget()->findChild<QLineEdit *>(QString::fromLatin1(c.box));
        ASSERT_TRUE(box);
        box->setEnabled(true);
        box->clear();
        box->setFocus();
        type(box, c.typed);
        EXPECT_EQ(box->text(), c.entered);
    }
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, EscapeLeavesFromTheParticularsOnly) {
    search();
    ui().T1->setFocus();
    QTest::keyClick(ui().T1, Qt::Key_Escape);
    EXPECT_TRUE(Forms::Get<FilterForm>().Widget()->isVisible());
    EXPECT_EQ(ui().T1->text(), QString());
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    for (QLineEdit *box : {ui().T2, ui().T3, ui().T4, ui().T5}) {
        SCOPED_TRACE(box->objectName().toStdString());
        search();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_FALSE(Forms::Get<FilterForm>().Widget()->isVisible());
        EXPECT_TRUE(Forms::Get<FilterForm>().IsLoaded());
    }
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(FilterFormTest, EnterSearchesFromEveryParticularsBox) {
    search();
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    for (QLineEdit *box : {ui().T2, ui().T3, ui().T4, ui().T5}) {
        SCOPED_TRACE(box->objectName().toStdString());
        msgs.Clear();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        expectMessage(FillOneAtLeast, 48);
    }
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, KeepsModeAndTextsWhileHidden) {
    search();
    ui().T1->setText(u"1280936479"_s);
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    EXPECT_FALSE(ui().T1->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{ui().T2, ui().T3, ui().T4, ui().T5, ui().Combo1})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(focused(ui().T2));
    ui().T2->setText(u"علی"_s);
    ui().T5->setText(u"1393/07/05"_s);
    ui().Combo1->setCurrentIndex(3);

    QTest::mouseClick(ui().Cmd_Cancel, Qt::LeftButton);
    EXPECT_FALSE(Forms::Get<FilterForm>().Widget()->isVisible());
    search();
    Forms::Get<FilterForm>().Widget()->close(); // the close box hides it too
    EXPECT_FALSE(Forms::Get<FilterForm>().Widget()->isVisible());
    EXPECT_TRUE(Forms::Get<FilterForm>().IsLoaded());

    search();
    EXPECT_TRUE(ui().Option2->isChecked());
    EXPECT_FALSE(ui().T1->isEnabled());
    EXPECT_TRUE(ui().T2->isEnabled());
    EXPECT_EQ(ui().T1->text(), u"1280936479"_s);
    EXPECT_EQ(ui().T2->text(), u"علی"_s);
    EXPECT_EQ(ui().T5->text(), u"1393/07/05"_s);
    EXPECT_EQ(ui().Combo1->currentText(), u"<>"_s);

    // Going back to the code does not clear the particulars.
    QTest::mouseClick(ui().Option1, Qt::LeftButton);
    EXPECT_TRUE(ui().T1->isEnabled());
    EXPECT_TRUE(focused(ui().T1));
    EXPECT_FALSE(ui().T5->isEnabled());
    EXPECT_EQ(ui().T2->text(), u"علی"_s);
    Forms::Get<FilterForm>().Hide();
}

// The user types at once: each showing starts in the first box of the chosen mode.
TEST_F(FilterFormTest, ShowingFocusesTheFirstBoxOfTheChosenMode) {
    searchFromList();
    EXPECT_TRUE(focused(ui().T1));
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    ui().T4->setFocus();
    QTest::mouseClick(ui().Cmd_Cancel, Qt::LeftButton);
    searchFromList();
    EXPECT_TRUE(focused(ui().T2));
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, EntryBoxesSelectTheirTextOnFocus) {
    search();
    QTest::mouseClick(ui().Option2, Qt::LeftButton);
    ui().T3->setText(u"احمدی"_s);
    ui().T3->deselect();
    QTest::mouseClick(ui().T3, Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(ui().T3->selectedText(), u"احمدی"_s);
    Forms::Get<FilterForm>().Hide();
}

TEST_F(FilterFormTest, KnownCodeOpensTheTraineesReportCards) {
    searchFromList();
    ui().T1->setText(u"1280936479"_s);
    QTest::mouseClick(ui().cmd_find, Qt::LeftButton);
    EXPECT_TRUE(msgs.calls.empty());
    QTest::mouseClick(ui().Cmd_Cancel, Qt::LeftButton);
    EXPECT_EQ(tabs().currentIndex(), int(KaramoozList::CardsTab));
    EXPECT_EQ(trainees().ui().NameBoxL->text(), u"علی"_s);
    EXPECT_EQ(trainees().ui().FamilyBoxL->text(), u"کریمی"_s);
    ASSERT_EQ(trainees().Adodc2->Recordset().RecordCount(), 1);
    EXPECT_EQ(trainees().Adodc2->Recordset().Value(u"Lesson"_s).toString(), u"رياضي"_s);
}

TEST_F(FilterFormTest, TheListKeepsTheNarrowedRowsUntilItsOwnSearchReloads) {
    findByParticulars({}, {}, u"حسن"_s);
    QTest::mouseClick(ui().Cmd_Cancel, Qt::LeftButton);
    ASSERT_EQ(listed(), (std::vector<int>{2, 3}));
    // Every return to the list runs the narrowed query again, its values with it.
    tabs().setCurrentIndex(KaramoozList::CardsTab);
    tabs().setCurrentIndex(KaramoozList::ListTab);
    EXPECT_EQ(listed(), (std::vector<int>{2, 3}));
    EXPECT_EQ(trainees().ui().CountLAB->text(), u"2"_s);

    // The list's search command shows the whole class again, and the search as it was left.
    modal.opened.clear();
    searchFromList();
    EXPECT_EQ(listed(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(modal.opened, std::vector<QString>{u"FilterForm"_s});
    EXPECT_TRUE(Forms::Get<FilterForm>().Widget()->isVisible());
    EXPECT_TRUE(ui().Option2->isChecked());
    EXPECT_EQ(ui().T4->text(), u"حسن"_s);
    Forms::Get<FilterForm>().Hide();
}

// In the program the search is a real modal show: every way of leaving ends it, the window kept.
TEST_F(FilterFormTest, LeavingEndsTheModalShow) {
    Modal::SetHandler(nullptr);
    const std::function<void(FilterForm &)> leaves[] = {
        [](FilterForm &f) { QTest::mouseClick(f.ui().Cmd_Cancel, Qt::LeftButton); },
        [](FilterForm &f) { f.Widget()->close(); },
        [](FilterForm &f) {
            QTest::mouseClick(f.ui().Option2, Qt::LeftButton);
            QTest::keyClick(f.ui().T5, Qt::Key_Escape);
        },
    };
    for (const auto &leave : leaves) {
        bool left = false;
        const QObject scope; // the leave goes with this pass of the loop
        QTimer::singleShot(0, &scope, [&] {
            leave(Forms::Get<FilterForm>());
            left = true;
        });
        QTimer::singleShot(5000, Forms::Get<FilterForm>().Widget(), [] { Forms::Get<FilterForm>().Widget()->done(0); }); // a hang fails, not blocks
        const QElapsedTimer clock = [] { QElapsedTimer c; c.start(); return c; }();
        FilterForm::ShowFor(&list(), &tabs());
        EXPECT_TRUE(left);
        EXPECT_LT(clock.elapsed(), 4000);
        EXPECT_TRUE(Forms::Get<FilterForm>().IsLoaded());
        EXPECT_FALSE(Forms::Get<FilterForm>().Widget()->isVisible());
    }
}

} // namespace
