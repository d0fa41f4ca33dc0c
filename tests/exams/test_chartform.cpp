#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QStyle>
#include <QPainter>
#include <QImage>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <cmath>

#include "exams/ChartForm.h"
#include "platform/FileDialog.h"
#include "platform/Modal.h"
#include "shell/Module1.h"
#include "support/Fixture.h"

using namespace Module1;

namespace {

const QString Saved = QStringLiteral(" نمودار شما با موفقيت ذخيره شد  ");
const QString NotSaved = QStringLiteral(" نمودار شما ذخيره نشد  ");

class ChartFormTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // Each test has a program folder of its own, so tests run side by side never share a Chart folder.
        ASSERT_TRUE(programFolder.isValid());
        ChartForm::SetProgramFolder(programFolder.path());
        FileDialog::SetHandler([this](const FileDialog::Request &request) {
            requests.push_back(request);
            return answer;
        });
    }
    void TearDown() override {
        FileDialog::SetHandler(nullptr);
        ChartForm::SetProgramFolder(QString());
        AppFixture::TearDown();
    }

    QTemporaryDir programFolder;

    // A finished exam's result, as the exam leaves it for the chart.
    void SetResult(int questions, int correct, int wrong, int blank) {
        SelectedTraineeName = QStringLiteral("Sara  Karimi");
        CurrentLessonName = QStringLiteral("Math");
        ReportExamDate = QStringLiteral("1402/07/15");
        TotalMinutesText = QStringLiteral("14");
        ElapsedTimeText = QStringLiteral("07:35");
        QuestionCount = uint8_t(questions);
        CorrectCount = uint8_t(correct);
        WrongCount = uint8_t(wrong);
        BlankCount = uint8_t(blank);
    }
    static void SetPoints(const QString &forCorrect, const QString &offWrong) {
        SaveSetting(QStringLiteral("T_Emtiyaz"), forCorrect);
        SaveSetting(QStringLiteral("F_Emtiyaz"), offWrong);
    }

    ChartForm &Chart() { return Forms::Get<ChartForm>(); }
    ChartForm &Show() {
        Chart().ShowModal();
        return Chart();
    }
    QStringList Saves() const { return QDir(temp.path()).entryList({QStringLiteral("result*")}, QDir::Files); }

    QString answer; // what the save dialog returns
    std::vector<FileDialog::Request> requests;
};

struct ScoreCase {
    const char *t, *f; // nullptr: the setting is missing
    int correct, wrong;
    std::optional<int> score; // nothing: beyond 16 bits, stored and shown without a score
};

TEST_F(ChartFormTest, ScoreComesFromTheSavedPointsRoundedHalfToEven) {
    const ScoreCase cases[] = {
        {nullptr, nullptr, 20, 0, 0}, // first: nothing saved yet
        {"1", "0", 12, 5, 12},        {"1", "0.25", 12, 5, 11},     {"1", "0.25", 2, 6, 0}, {"1", "0.25", 3, 6, 2},
        {"1", "0.5", 7, 5, 4},        {"1", "1", 3, 8, -5},         {"1", "0", 20, 0, 20},  {"2x", "", 5, 5, 10},
        {"200", "0", 255, 0, std::nullopt}, {"0", "200", 0, 255, std::nullopt},
        {"128", "0", 255, 0, 32640},  {"0", "128", 0, 255, -32640},
    };
    for (const ScoreCase &c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.t ? c.t : "-") << " / " << (c.f ? c.f : "-") << ", " << c.correct
                                          << " correct, " << c.wrong << " wrong");
        if (c.t)
            SetPoints(QString::fromLatin1(c.t), QString::fromLatin1(c.f));
        SetResult(255, c.correct, c.wrong, 0);
        ExamScore = 99; // what a stored report card handed over: recomputed, not shown
        EXPECT_EQ(Chart().ui().T7->text(), c.score ? QString::number(*c.score) : QString());
        EXPECT_EQ(ExamScore, c.score.value_or(0));
        Chart().Unload();
    }
}

TEST_F(ChartFormTest, LoadShowsTheSharedResultWithReviewDisabled) {
    SetPoints(QStringLiteral("1"), QStringLiteral("0"));
    SetResult(20, 7, 8, 5);
    auto &u = Show().ui();
    EXPECT_EQ(u.Date_Lable->text(), QStringLiteral("1402/07/15"));
    EXPECT_EQ(u.K_Lable->text(), QStringLiteral("Sara  Karimi"));
    EXPECT_EQ(u.K_Dars->text(), QStringLiteral("Math"));
    const QStringList boxes = {u.T1->text(), u.T2->text(), u.T3->text(), u.T4->text(),
                               u.T5->text(), u.T6->text(), u.T7->text()};
    EXPECT_EQ(boxes, QStringList({"20", "7", "8", "5", "14", "07:35", "7"}));
    EXPECT_FALSE(u.Command1->isEnabled());
    EXPECT_EQ(u.StyleBox->currentIndex(), 0);
    EXPECT_EQ(u.Chart1->ChartType(), ReportChart::Bar2d);

    // Enabled by an opener for one showing only: the next load starts disabled again.
    u.Command1->setEnabled(true);
    Chart().Unload();
    EXPECT_FALSE(Chart().ui().Command1->isEnabled());
    Chart().Unload();
}

struct PercentCase {
    int questions, correct, wrong, blank;
    double rows[3];
};

TEST_F(ChartFormTest, RowsAreTrueFalseNoneAsPercentages) {
    const PercentCase cases[] = {
        {20, 7, 8, 5, {35, 40, 25}},
        {20, 20, 0, 0, {100, 0, 0}},
        {3, 1, 1, 1, {33.3333333333333, 33.3333333333333, 33.3333333333333}},
        {0, 0, 0, 0, {0, 0, 0}}, // a stored report card without questions
        {0, 2, 1, 0, {0, 0, 0}},
    };
    for (const PercentCase &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.correct << "/" << c.wrong << "/" << c.blank << " of " << c.questions);
        SetResult(c.questions, c.correct, c.wrong, c.blank);
        const QList<ChartRow> rows = Chart().ui().Chart1->Rows();
        ASSERT_EQ(rows.size(), 3);
        const QString labels[] = {"True", "False", "None"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rows[i].label, labels[i]);
            EXPECT_FALSE(std::isnan(rows[i].value));
            EXPECT_DOUBLE_EQ(rows[i].value, c.rows[i]);
        }
        Chart().Unload();
    }
}

TEST_F(ChartFormTest, EveryChartKindDraws) {
    const ReportChart::Kind kinds[] = {ReportChart::Bar2d, ReportChart::Pie2d, ReportChart::Line2d, ReportChart::Bar3d,
                                       ReportChart::Line3d};
    const char *names[] = {"2d-column", "2d-pie", "2d-line", "3d-column", "3d-line"};
    const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); // where to keep pictures for a look
    SetPoints(QStringLiteral("1"), QStringLiteral("0"));
    for (int questions : {20, 0}) {
        SetResult(questions, questions ? 7 : 0, questions ? 8 : 0, questions ? 5 : 0);
        auto &u = Show().ui();
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(::testing::Message() << names[i] << ", " << questions << " questions");
            u.StyleBox->setCurrentIndex(i);
            EXPECT_EQ(u.Chart1->ChartType(), kinds[i]);
            const QImage picture = u.Chart1->Picture();
            ASSERT_FALSE(picture.isNull());
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 3)
                for (int x = 0; x < picture.width(); x += 3)
                    colours.insert(picture.pixel(x, y));
            EXPECT_GT(colours.size(), 8) << "nothing drawn";
            if (!shots.isEmpty() && questions)
                Chart().Widget()->grab().save(shots + QStringLiteral("/chart-%1.png").arg(names[i]));
        }
        Chart().Unload();
    }
}

TEST_F(ChartFormTest, SaveWritesAJpegUnderTheTypedNameWithJpgAppended) {
    const std::pair<QString, QString> cases[] = {{"result", "result.jpg"}, {"result.jpg", "result.jpg.jpg"}};
    SetResult(20, 7, 8, 5);
    // The dialog opens in the Chart folder beside the program but does not make it.
    const QString folder = programFolder.filePath(QStringLiteral("Chart"));
    for (const auto &[typed, written] : cases) {
        SCOPED_TRACE(typed.toStdString());
        QGuiApplication::clipboard()->clear();
        msgs.Clear();
        requests.clear();
        answer = temp.filePath(typed);
        Show();
        QTest::mouseClick(Chart().ui().Cmd_SaveChart, Qt::LeftButton);

        EXPECT_EQ(Saves(), QStringList({written}));
        QImageReader reader(temp.filePath(written));
        reader.setDecideFormatFromContent(true); // the bytes, not the name
        EXPECT_EQ(reader.format(), QByteArray("jpeg"));
        EXPECT_FALSE(reader.read().isNull());
        EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());

        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].title, QStringLiteral("Save Chart"));
        EXPECT_EQ(requests[0].filter, QStringLiteral(" *.jpg"));
        EXPECT_EQ(requests[0].folder, folder);
        EXPECT_FALSE(QFileInfo::exists(folder));
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, Saved);
        EXPECT_EQ(msgs.Last().style, 64);
        EXPECT_EQ(msgs.Last().title, QStringLiteral("Save Chart"));

        Chart().Unload();
        QFile::remove(temp.filePath(written));
    }
}

TEST_F(ChartFormTest, CancelledSaveWritesNothingAndSaysNothing) {
    SetResult(20, 7, 8, 5);
    Show();
    for (const QString &cancelled : {QString(), QStringLiteral("   ")}) {
        answer = cancelled;
        Chart().Cmd_SaveChart_Click();
    }
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(Saves().isEmpty());
    EXPECT_TRUE(msgs.calls.empty());
    Chart().Unload();
}

TEST_F(ChartFormTest, FailedWriteIsToldNotReportedAsSaved) {
    SetResult(20, 7, 8, 5);
    answer = temp.filePath(QStringLiteral("missing/result"));
    Show().Cmd_SaveChart_Click();
    EXPECT_FALSE(QFileInfo::exists(answer + QStringLiteral(".jpg")));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_TRUE(msgs.Last().text.startsWith(NotSaved));
    EXPECT_TRUE(msgs.Last().text.contains(QStringLiteral("result.jpg")));
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(msgs.Last().title, QStringLiteral("Save Chart"));
    Chart().Unload();
}

TEST_F(ChartFormTest, BackClearsTheSharedResultTheCloseBoxKeepsIt) {
    SetResult(20, 7, 8, 5);
    Show();
    Chart().Widget()->close();
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_EQ(SelectedTraineeName, QStringLiteral("Sara  Karimi"));
    EXPECT_EQ(CorrectCount, 7);
    EXPECT_EQ(QuestionCount, 20);

    ClassNumberText = QStringLiteral("3");
    Show();
    QTest::mouseClick(Chart().ui().Cmd_End, Qt::LeftButton);
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_TRUE(SelectedTraineeName.isEmpty());
    EXPECT_TRUE(CurrentLessonName.isEmpty());
    EXPECT_EQ(QuestionCount + CorrectCount + WrongCount + BlankCount, 0);
    EXPECT_EQ(ExamScore, 0);
    EXPECT_EQ(ClassNumberText, QStringLiteral("3"));
}

TEST_F(ChartFormTest, ReviewButtonClosesTheChartAndKeepsTheResult) {
    SetResult(20, 7, 8, 5);
    Chart().ui().Command1->setEnabled(true); // as the end of an exam opens it
    Show();
    QTest::mouseClick(Chart().ui().Command1, Qt::LeftButton);
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_EQ(CorrectCount, 7);
    EXPECT_EQ(SelectedTraineeName, QStringLiteral("Sara  Karimi"));
}

// The values a 2D chart draws, in row order: bars, slices or line points.
QList<double> DrawnValues(ReportChart *chart) {
    QList<double> values;
    auto *view = chart->findChild<QChartView *>();
    if (!view || !view->isVisibleTo(chart) || view->chart()->series().isEmpty())
        return values;
    QAbstractSeries *series = view->chart()->series().first();
    if (auto *pie = qobject_cast<QPieSeries *>(series))
        for (QPieSlice *slice : pie->slices())
            values.append(slice->value());
    else if (auto *bars = qobject_cast<QBarSeries *>(series))
        for (int i = 0; i < bars->barSets().first()->count(); ++i)
            values.append(bars->barSets().first()->at(i));
    else if (auto *line = qobject_cast<QLineSeries *>(series))
        for (const QPointF &point : line->points())
            values.append(point.y());
    return values;
}

TEST_F(ChartFormTest, EveryTwoDimensionalKindDrawsTheRowsUnchanged) {
    SetResult(20, 7, 8, 5);
    auto &u = Show().ui();
    for (int item : {0, 1, 2}) { // 2D column, pie, line
        SCOPED_TRACE(item);
        u.StyleBox->setCurrentIndex(item);
        EXPECT_EQ(DrawnValues(u.Chart1), QList<double>({35, 40, 25}));
    }
    u.StyleBox->setCurrentIndex(1);
    auto *pie = qobject_cast<QPieSeries *>(u.Chart1->findChild<QChartView *>()->chart()->series().first());
    ASSERT_NE(pie, nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pie->slices()[i]->label().startsWith(QStringList({"True", "False", "None"})[i])) << i;
    Chart().Unload();
}

TEST_F(ChartFormTest, BackPressedUnderTheOpenSaveDialogClosesOnceTheDialogHasClosed) {
    SetResult(20, 7, 8, 5);
    bool loadedUnderDialog = false;
    FileDialog::SetHandler([&](const FileDialog::Request &) {
        // As a screen reader presses a button of the window under the dialog.
        Chart().ui().Cmd_End->click();
        loadedUnderDialog = Chart().IsLoaded();
        return temp.filePath(QStringLiteral("result"));
    });
    Show();
    Chart().ui().Cmd_SaveChart->click();
    EXPECT_TRUE(loadedUnderDialog);
    EXPECT_EQ(Saves(), QStringList({"result.jpg"}));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Saved);
    ProcessEvents();
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_TRUE(SelectedTraineeName.isEmpty()); // Back's reset happened, and the close with it
}

TEST_F(ChartFormTest, ReviewPressedUnderTheOpenSaveDialogFollowsOnceTheChartHasClosed) {
    SetResult(20, 7, 8, 5);
    FileDialog::SetHandler([&](const FileDialog::Request &) {
        Chart().ui().Command1->click();
        EXPECT_TRUE(modal.opened.empty() || modal.opened.back() != "frmtest"); // not on top of the dialog
        return QString();
    });
    Chart().ui().Command1->setEnabled(true);
    Show();
    Chart().ui().Cmd_SaveChart->click();
    EXPECT_TRUE(Chart().IsLoaded());
    ProcessEvents();
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_EQ(modal.opened, std::vector<QString>({"ChartForm", "frmtest"}));
    EXPECT_EQ(CorrectCount, 7); // the result stays for the review
}

// The real save dialog, looked at while it is open, then cancelled.
class SaveDialogLook : public ChartFormTest {
protected:
    void SetUp() override {
        ChartFormTest::SetUp();
        FileDialog::SetHandler(nullptr);
        Modal::SetHandler(nullptr);
    }
    // Opens the dialog from the chart, runs look on it and cancels it.
    void Look(const std::function<void(QFileDialog &)> &look, bool unloadAfter = true) {
        SetResult(20, 7, 8, 5);
        Chart().Show();
        bool looked = false;
        QTimer::singleShot(0, qApp, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            look(*dialog);
            looked = true;
            dialog->reject();
        });
        Chart().ui().Cmd_SaveChart->click();
        EXPECT_TRUE(looked);
        EXPECT_TRUE(msgs.calls.empty());
        if (unloadAfter)
            Chart().Unload();
    }
};

TEST_F(SaveDialogLook, OpensInTheChartFolderOrAboveItWithNoNameTyped) {
    const QString program = programFolder.path();
    const QString folder = programFolder.filePath(QStringLiteral("Chart"));
    EXPECT_EQ(ChartForm::ChartFolder(), folder);
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        if (present)
            ASSERT_TRUE(QDir().mkpath(folder));
        Look([&](QFileDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save Chart"));
            EXPECT_EQ(QDir(dialog.directory()).absolutePath(), present ? folder : program);
            auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), QString());
        });
    }
}

TEST_F(SaveDialogLook, ANameTypedInTheDialogIsSavedWithJpgAppended) {
    SetResult(20, 7, 8, 5);
    Chart().Show();
    QTimer::singleShot(0, qApp, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(temp.filePath(QStringLiteral("result")));
        QMetaObject::invokeMethod(dialog, "accept"); // as the save button does
    });
    Chart().ui().Cmd_SaveChart->click();
    EXPECT_EQ(Saves(), QStringList({"result.jpg"}));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, Saved);
    Chart().Unload();
}

// As a screen reader presses Back on the chart while the dialog is open.
TEST_F(SaveDialogLook, BackPressedUnderTheDialogClosesTheChartOnceTheDialogHasClosed) {
    bool loadedUnderDialog = false;
    Look([&](QFileDialog &) {
        QAccessibleInterface *back = QAccessible::queryAccessibleInterface(Chart().ui().Cmd_End);
        ASSERT_NE(back, nullptr);
        ASSERT_NE(back->actionInterface(), nullptr);
        back->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(300); // the press shows itself on the button before it clicks
        ASSERT_TRUE(SelectedTraineeName.isEmpty()) << "Back was not pressed";
        loadedUnderDialog = Chart().IsLoaded();
    }, false);
    EXPECT_TRUE(loadedUnderDialog);
    ProcessEvents();
    EXPECT_FALSE(Chart().IsLoaded());
    EXPECT_TRUE(SelectedTraineeName.isEmpty());
    EXPECT_EQ(Modal::Depth(), 0);
}

// A path drawn right to left shows its leading "/" at the far end ("home/x/").
TEST_F(SaveDialogLook, ThePathAndTheFileTypeReadLeftToRight) {
    const QString text = QStringLiteral("/home/user/Chart/*.jpg");
    const auto draw = [&](QStyle *style, const QFont &font, Qt::LayoutDirection direction) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setLayoutDirection(direction);
        style->drawItemText(&painter, image.rect(), Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, QPalette(), true, text);
        return image;
    };
    Look([&](QFileDialog &dialog) {
        for (const char *name : {"lookInCombo", "fileTypeCombo"}) {
            SCOPED_TRACE(name);
            auto *combo = dialog.findChild<QComboBox *>(QLatin1String(name));
            ASSERT_NE(combo, nullptr);
            const QImage shown = draw(combo->style(), combo->font(), Qt::RightToLeft);
            EXPECT_EQ(shown, draw(QApplication::style(), combo->font(), Qt::LeftToRight));
            EXPECT_NE(shown, draw(QApplication::style(), combo->font(), Qt::RightToLeft)); // the text tells them apart
        }
    });
}

TEST_F(SaveDialogLook, EveryTextShowsWhole) {
    const QString shots = qEnvironmentVariable("TELLUMO_SHOTS");
    Look([&](QFileDialog &dialog) {
        dialog.show();
        // Typing a name sets the dialog's own captions again.
        dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("نمودار"));
        QCoreApplication::processEvents();
        for (QLabel *label : dialog.findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
            EXPECT_FALSE(label->buddy() && label->text().contains(u'&')) << label->text().toStdString(); // "نام" whole
        }
        for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
            if (!button->isVisible())
                continue;
            EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
            EXPECT_FALSE(button->text().contains(u'&')) << button->text().toStdString();
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 12)
                << button->text().toStdString();
        }
        for (QTreeView *list : dialog.findChildren<QTreeView *>()) {
            if (!list->isVisible())
                continue;
            QHeaderView *header = list->header();
            for (int i = 0; i < header->count(); ++i)
                EXPECT_GE(header->sectionSize(i),
                          header->fontMetrics().horizontalAdvance(header->model()->headerData(i, Qt::Horizontal).toString()))
                    << i;
            EXPECT_LE(header->length(), list->viewport()->width()); // every heading in view
        }
        if (!shots.isEmpty())
            dialog.grab().save(shots + QStringLiteral("/save-dialog.png"));
    });
}

} // namespace
