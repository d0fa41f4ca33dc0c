// How the trainee list and the report-card tab look: right to left like their window, numbers at the
// right edge of their boxes, and every cell wide enough for its text.
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include "Ink.h"
#include "TraineeFixture.h"

using namespace Qt::StringLiterals;

namespace {
const QString LongDate = u"پنجشنبه  19  مهر  1403"_s;
const QString LongAddress = u"اصفهان، خیابان نظر شرقی، کوچه یاس، پلاک ۱۲"_s;

class TraineeLooksTest : public TraineeFixture {
protected:
    void SetUp() override {
        TraineeFixture::SetUp();
        Exec(u"UPDATE Karamooz3 SET Address=?, Jensiyat=? WHERE ID=7"_s, {LongAddress, u"دختر"_s});
        AddCard(1295218471LL, u"فيزيک"_s, 20, 12, 3, 5, LongDate);
        AddCard(1295218471LL, u"Algebra"_s, 14, 10, 0, 4, u"1403/02/11"_s);
    }
    // The list open on its cards tab for trainee 3, the first card clicked.
    void OpenCards() {
        OpenList();
        MakeCurrent(3);
        u().SSTab->setCurrentIndex(2);
        ProcessEvents();
        ClickCard(0);
        ProcessEvents();
    }
    void Shot(const QString &name) {
        ProcessEvents();
        if (const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); !shots.isEmpty())
            List().Widget()->grab().save(shots + u"/"_s + name + u".png"_s);
    }
    // The right edge of a widget, in the window's coordinates.
    int RightEdge(QWidget *w) { return w->mapTo(List().Widget(), QPoint(w->width(), 0)).x(); }
};

TEST_F(TraineeLooksTest, BothGridsStartAtTheRightUnderTheirFirstSortButton) {
    OpenCards();
    Shot(u"trainee-cards"_s);
    const struct {
        QTableView *grid;
        QPushButton *firstSort;
    } grids[] = {{u().DataGrid1, u().Cmd_Radif}, {u().DataGrid2, u().Cmd_D_Name}};
    for (int tab : {2, 0}) {
        u().SSTab->setCurrentIndex(tab);
        ProcessEvents();
        const auto &[grid, firstSort] = grids[tab == 0 ? 0 : 1];
        SCOPED_TRACE(grid->objectName().toStdString());
        EXPECT_TRUE(grid->isRightToLeft());
        const int columns = grid->model()->columnCount();
        for (int c = 1; c < columns; ++c)
            EXPECT_GT(grid->columnViewportPosition(c - 1), grid->columnViewportPosition(c)) << c;
        // The first column ends where the grid ends, at the right, where its sort button stands.
        EXPECT_EQ(grid->columnViewportPosition(0) + grid->columnWidth(0), grid->viewport()->width());
        EXPECT_LE(std::abs(RightEdge(grid->viewport()) - RightEdge(firstSort)), 12);
        EXPECT_TRUE(grid->horizontalHeader()->isRightToLeft());
    }
    Shot(u"trainee-list"_s);
    List().Unload();
}

TEST_F(TraineeLooksTest, TheCardsBoxesPutNumbersAndTextAtTheirRightEdge) {
    OpenCards();
    const std::pair<QLineEdit *, QString> boxes[] = {
        {u().Text7, u"فيزيک"_s}, {u().tdate, LongDate}, {u().T1, u"20"_s},    {u().T2, u"12"_s},
        {u().T3, u"3"_s},        {u().T4, u"5"_s},      {u().T5, u"13.33"_s}, {u().T6, u"05:10"_s},
        {u().T7, u"12"_s}};
    for (const auto &[box, text] : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        ASSERT_EQ(box->text(), text);
        const InkSpan ink = Ink(box);
        ASSERT_TRUE(ink.Any());
        EXPECT_GE(ink.right, ink.width - 8);      // at the right edge
        EXPECT_GT(ink.left, 2);                   // and whole
        if (text.size() <= 5) {
            EXPECT_GT(ink.left, ink.width / 2); // a short text keeps to the right half
        }
    }
    List().Unload();
}

// A cell shows its text whole: as wide as the style asks for it, and no letter touching its edges.
TEST_F(TraineeLooksTest, EveryCellIsWideEnoughForItsText) {
    OpenCards();
    for (int tab : {2, 0}) {
        u().SSTab->setCurrentIndex(tab);
        ProcessEvents();
        QTableView *grid = tab == 0 ? u().DataGrid1 : u().DataGrid2;
        SCOPED_TRACE(grid->objectName().toStdString());
        QAbstractItemModel *model = grid->model();
        ASSERT_GT(model->rowCount(), 1);
        for (int c = 0; c < model->columnCount(); ++c) {
            grid->scrollTo(model->index(0, c));
            ProcessEvents();
            for (int r = 0; r < model->rowCount(); ++r) {
                const QModelIndex cell = model->index(r, c);
                SCOPED_TRACE(cell.data().toString().toStdString());
                EXPECT_LE(grid->sizeHintForIndex(cell).width(), grid->visualRect(cell).width());
                const InkSpan ink = CellInk(grid, r, c);
                if (!ink.Any())
                    continue;
                EXPECT_GE(ink.left, 2);
                EXPECT_LE(ink.right, ink.width - 3);
            }
        }
    }
    // What the list holds longest: the address and the exam date.
    const auto column = [](QTableView *grid, int c) {
        QStringList texts;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            texts << grid->model()->index(r, c).data().toString();
        return texts;
    };
    EXPECT_TRUE(column(u().DataGrid1, 9).contains(LongAddress));
    EXPECT_TRUE(column(u().DataGrid2, 2).contains(LongDate));
    List().Unload();
}
} // namespace
