#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "platform/TextLimit.h"
#include "support/Fixture.h"
#include "exams/SelectForm.h"
#include "shell/Module1.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QString AskForCode = QStringLiteral(" لطفا کد کارآموزي را وارد کنيد ");
const QString NotFound = QStringLiteral(" کارآموزي با اين کد در ليست يافت نشد  ");
const QString NotWhole = u" کد کارآموز بايد يک عدد صحيح باشد "_s;

// The result boxes of an opener of the test's own.
struct Opener {
    QLineEdit name, nationalCode, entryCode;
    Opener() { entryCode.setVisible(false); }
    TraineeBoxes boxes() { return {&name, &nationalCode, &entryCode}; }
};

class SelectFormTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        ClassNumberText = u"3"_s;
        // Out of ID order on purpose: the list is sorted by ID.
        for (const auto &[id, name, family, code] :
             {std::tuple{12, u"زهرا"_s, u"کریمی"_s, 1263450982LL}, std::tuple{3, u"محمدرضا"_s, u"ملکی"_s, 1295218471LL},
              std::tuple{7, u"نرگس"_s, u"توکلی"_s, 1270364898LL}})
            Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, clase, codemeli) VALUES (?, ?, ?, ?, ?)"_s,
                 {id, name, family, u"سوم"_s, code});
    }

    SelectForm &show(Opener &opener) {
        SelectForm &picker = Forms::Get<SelectForm>();
        picker.SetOpener(opener.boxes());
        picker.Show();
        ProcessEvents();
        return picker;
    }

    QTableView *grid() { return Forms::Get<SelectForm>().ui().DataGrid1; }
    // The ID in the grid's current row, or -1 when no row is current.
    int currentId() {
        const QModelIndex at = grid()->currentIndex();
        return at.isValid() ? grid()->model()->index(at.row(), 0).data().toInt() : -1;
    }
    void find(const QString &code) {
        SelectForm &picker = Forms::Get<SelectForm>();
        picker.ui().T1->setText(code);
        QTest::mouseClick(picker.ui().cmdfind, Qt::LeftButton);
    }
    void doubleClickRow(int row) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
        // A real double click: the first click, then the second that the system reports as double.
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(SelectFormTest, ListsTheClassByIdUnderItsCaptions) {
    Opener opener;
    SelectForm &picker = show(opener);
    QAbstractItemModel *model = grid()->model();
    const QString captions[] = {QStringLiteral("  کد"), QStringLiteral("    نام خانوادگي"), QStringLiteral("     نام "), QStringLiteral("                کلاس")};
    ASSERT_EQ(model->columnCount(), 4); // the national code is not shown
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), captions[c]) << c;
    // On screen the code comes first at the left, in a window that is otherwise right to left.
    for (int c = 1; c < 4; ++c)
        EXPECT_LT(grid()->columnViewportPosition(c - 1), grid()->columnViewportPosition(c)) << c;
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data().toInt(), 3);
    EXPECT_EQ(model->index(1, 0).data().toInt(), 7);
    EXPECT_EQ(model->index(2, 0).data().toInt(), 12);
    EXPECT_EQ(model->index(1, 1).data().toString(), u"توکلی"_s);
    EXPECT_EQ(model->index(1, 2).data().toString(), u"نرگس"_s);
    EXPECT_EQ(model->index(1, 3).data().toString(), u"سوم"_s);
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(TextLimit::Of(picker.ui().T1), 4);
    picker.Unload();
}

struct FindCase {
    QString typed;
    const QString *message; // nullptr: found
    int style, currentId;
};

TEST_F(SelectFormTest, FindMovesToTheTraineeWithThatCode) {
    const FindCase cases[] = {
        {u"7"_s, nullptr, 0, 7},          {u" 12 "_s, nullptr, 0, 12},  {u"99"_s, &NotFound, 64, -1},
        {u"   "_s, &AskForCode, 48, 7},   {QString(), &AskForCode, 48, 7}, {u"7a"_s, &NotWhole, 48, 7},
        {u"1;--"_s, &NotWhole, 48, 7},    {u"x"_s, &NotWhole, 48, 7},
    };
    Opener opener;
    SelectForm &picker = show(opener);
    picker.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker.Widget()));
    for (const FindCase &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        find(u"7"_s); // a refused find leaves the row where this one put it
        msgs.Clear();
        grid()->setFocus();
        find(c.typed);
        if (c.message) {
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, *c.message);
            EXPECT_EQ(msgs.Last().style, c.style);
            EXPECT_TRUE(msgs.Last().titleGiven && msgs.Last().title.isEmpty());
            EXPECT_EQ(picker.ui().T1->hasFocus(), c.message != &NotFound); // back to the code to mend it
        } else {
            EXPECT_TRUE(msgs.calls.empty());
        }
        EXPECT_EQ(currentId(), c.currentId);
        EXPECT_EQ(grid()->model()->index(0, 0).data().toInt(), 3); // still in ID order
    }
    EXPECT_TRUE(picker.IsLoaded());
    EXPECT_TRUE(opener.name.text().isEmpty());
    picker.Unload();
}

TEST_F(SelectFormTest, AFoundRowIsTakenByADoubleClick) {
    Opener opener;
    show(opener);
    find(u"7"_s);
    doubleClickRow(grid()->currentIndex().row());
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());
    EXPECT_EQ(opener.name.text(), u"نرگس  توکلی"_s);
    EXPECT_EQ(opener.nationalCode.text(), u"1270364898"_s);
    EXPECT_FALSE(opener.entryCode.isHidden());
    EXPECT_TRUE(opener.entryCode.text().isEmpty());
    EXPECT_EQ(SelectedTraineeName, u"نرگس  توکلی"_s);
}

TEST_F(SelectFormTest, EnterTakesTheCurrentRowButNothingAfterAFailedFind) {
    Opener opener;
    opener.entryCode.setText(u"typed before"_s);
    show(opener);
    find(u"99"_s);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_TRUE(Forms::Get<SelectForm>().IsLoaded());
    EXPECT_TRUE(opener.name.text().isEmpty());

    grid()->setCurrentIndex(grid()->model()->index(2, 0));
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());
    EXPECT_EQ(opener.name.text(), u"زهرا  کریمی"_s);
    EXPECT_EQ(opener.nationalCode.text(), u"1263450982"_s);
    EXPECT_EQ(opener.entryCode.text(), u"typed before"_s); // shown, not changed
}

TEST_F(SelectFormTest, AFailedFindLeavesNoRowCurrentNorMarkedEvenWhenTheGridTakesTheFocus) {
    Opener opener;
    SelectForm &picker = show(opener);
    picker.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker.Widget()));
    for (const QString &before : {QString(), u"12"_s}) { // from the first row, and from a found one
        SCOPED_TRACE(before.toStdString());
        if (!before.isEmpty())
            find(before);
        find(u"99"_s);
        EXPECT_EQ(currentId(), -1);
        EXPECT_FALSE(grid()->selectionModel()->hasSelection());
        // Tabbing into the grid, as the user goes on from the message, makes no row current either.
        picker.ui().cmdfind->setFocus();
        grid()->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(currentId(), -1);
        EXPECT_FALSE(grid()->selectionModel()->hasSelection());
        QTest::keyClick(grid(), Qt::Key_Return);
        EXPECT_TRUE(picker.IsLoaded());
        EXPECT_TRUE(opener.name.text().isEmpty());
    }
    picker.Unload();
}

TEST_F(SelectFormTest, EscapeAndCancelCloseWithoutAPick) {
    Opener opener;
    opener.name.setText(u"قبلی"_s);
    opener.nationalCode.setText(u"111"_s);
    SelectedTraineeName = u"قبلی"_s;
    show(opener);
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());

    show(opener);
    QTest::mouseClick(Forms::Get<SelectForm>().ui().Command1, Qt::LeftButton);
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());

    EXPECT_EQ(opener.name.text(), u"قبلی"_s);
    EXPECT_EQ(opener.nationalCode.text(), u"111"_s);
    EXPECT_TRUE(opener.entryCode.isHidden());
    EXPECT_EQ(SelectedTraineeName, u"قبلی"_s);
}

TEST_F(SelectFormTest, APickGoesOnlyToTheWindowThatOpenedThePicker) {
    Opener first, second;
    show(first);
    doubleClickRow(0);
    ASSERT_EQ(first.name.text(), u"محمدرضا  ملکی"_s);

    show(second);
    doubleClickRow(1);
    EXPECT_EQ(second.name.text(), u"نرگس  توکلی"_s);
    EXPECT_EQ(first.name.text(), u"محمدرضا  ملکی"_s);
    EXPECT_EQ(first.nationalCode.text(), u"1295218471"_s);

    // Opened with no opener named, a pick fills no earlier opener's boxes.
    Forms::Get<SelectForm>().Show();
    ProcessEvents();
    doubleClickRow(2);
    EXPECT_FALSE(Forms::Get<SelectForm>().IsLoaded());
    EXPECT_EQ(second.name.text(), u"نرگس  توکلی"_s);
    EXPECT_EQ(SelectedTraineeName, u"زهرا  کریمی"_s);
}

TEST_F(SelectFormTest, AMissingTraineeTableIsToldPlainly) {
    ClassNumberText = u"9"_s;
    Opener opener;
    SelectForm &picker = show(opener);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_TRUE(opener.name.text().isEmpty());
    picker.Unload();
}

} // namespace
