#include "exams/ChartForm.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTimer>
#include <iterator>
#include <utility>

#include "exams/Score.h"
#include "exams/frmtest.h"
#include "platform/Convert.h"
#include "platform/FileDialog.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
// The chart kind of each StyleBox item, in the list's order.
constexpr ReportChart::Kind StyleKinds[] = {ReportChart::Bar2d, ReportChart::Pie2d, ReportChart::Line2d,
                                            ReportChart::Bar3d, ReportChart::Line3d};

const QString SaveTitle = QStringLiteral("Save Chart");

// A count as a percentage of the questions. A stored report card may have no questions: it charts 0.
double Percent(uint8_t count) {
    if (QuestionCount == 0)
        return 0;
    // The value reaches the chart as its 15-digit text, so 1 of 3 charts as 33.3333333333333.
    return Convert::Val(Convert::NumberText(int(count) * 100 / double(QuestionCount)));
}
} // namespace

namespace {
QString &programFolderOverride() {
    static QString folder;
    return folder;
}
} // namespace

QString ChartForm::ProgramFolder() {
    const QString &set = programFolderOverride();
    return set.isEmpty() ? QCoreApplication::applicationDirPath() : set;
}

void ChartForm::SetProgramFolder(const QString &folder) { programFolderOverride() = folder; }

QString ChartForm::ChartFolder() { return ProgramFolder() + QStringLiteral("/Chart"); }

void ChartForm::Connect() {
    On(*this, ui().StyleBox, &QComboBox::currentIndexChanged, [this] { StyleBox_Click(); });
    On(*this, ui().Cmd_SaveChart, &QPushButton::clicked, [this] { Cmd_SaveChart_Click(); });
    On(*this, ui().Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    On(*this, ui().Cmd_End, &QPushButton::clicked, [this] { Cmd_End_Click(); });
}

void ChartForm::Form_Load() {
    auto &u = ui();
    u.Date_Lable->setText(ReportExamDate);
    u.K_Lable->setText(SelectedTraineeName);
    u.K_Dars->setText(CurrentLessonName);
    u.T1->setText(QString::number(QuestionCount));
    u.T2->setText(QString::number(CorrectCount));
    u.T3->setText(QString::number(WrongCount));
    u.T4->setText(QString::number(BlankCount));
    u.T5->setText(TotalMinutesText);
    u.T6->setText(ElapsedTimeText);

    // Always from the current settings: a stored report card's own score is not used. A score that
    // 16 bits cannot hold is stored without one, and shown so.
    const std::optional<int16_t> score = Score::Exact(CorrectCount, WrongCount);
    ExamScore = score.value_or(0);
    u.T7->setText(score ? QString::number(*score) : QString());

    u.StyleBox->setCurrentIndex(0);
    StyleBox_Click();
    u.Chart1->SetRows({{QStringLiteral("True"), Percent(CorrectCount)},
                       {QStringLiteral("False"), Percent(WrongCount)},
                       {QStringLiteral("None"), Percent(BlankCount)}});
}

void ChartForm::StyleBox_Click() {
    const int index = ui().StyleBox->currentIndex();
    if (index < 0 || index >= int(std::size(StyleKinds)))
        return;
    ui().Chart1->SetChartType(StyleKinds[index]);
}

void ChartForm::Cmd_SaveChart_Click() {
    // A missing folder is not made: the dialog then opens wherever the platform puts it.
    const QString name = FileDialog::GetSaveFileName(Widget(), SaveTitle, ChartFolder(), QStringLiteral(" *.jpg"));
    if (name.trimmed().isEmpty())
        return;

    // The chart goes to the clipboard too, which keeps it afterwards.
    const QImage picture = ui().Chart1->Picture();
    QGuiApplication::clipboard()->setImage(picture);
    // Always ".jpg" after the typed name, even when it already ends so.
    const QString path = name + QStringLiteral(".jpg");
    QImageWriter writer(path, "jpeg");
    if (!writer.write(picture)) {
        MsgBox(QStringLiteral(" نمودار شما ذخيره نشد  ") + QLatin1Char('\n') + QDir::toNativeSeparators(path),
               Msg::vbExclamation, SaveTitle);
        return;
    }
    MsgBox(QStringLiteral(" نمودار شما با موفقيت ذخيره شد  "), Msg::vbInformation, SaveTitle);
}

void ChartForm::Command1_Click() {
    if (!Unload()) {
        // Pressed under the chart's own open save dialog: the review follows once the chart has closed.
        m_reviewWhenClosed = true;
        return;
    }
    Forms::Get<frmtest>().ShowModal();
}

void ChartForm::Form_Unload() {
    if (std::exchange(m_reviewWhenClosed, false))
        QTimer::singleShot(0, qApp, [] { Guard::Run([] { Forms::Get<frmtest>().ShowModal(); }); });
}

void ChartForm::Cmd_End_Click() {
    ResetChartGlobals();
    Unload();
}
