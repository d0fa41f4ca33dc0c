#include "exams/ExamDisplay.h"

#include <QDate>
#include <QLocale>
#include <QPalette>
#include <algorithm>

#include "exams/ExamTexts.h"
#include "platform/Convert.h"
#include "platform/Form.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
int numberIn(const QLabel *label) { return int(Convert::Val(label->text())); }

// A bar never goes past its maximum; reaching it is what the time limits look for.
void advance(QProgressBar *bar, int step) { bar->setValue(std::min(bar->value() + step, bar->maximum())); }
} // namespace

void ExamDisplay::BindControls(const ExamControls &controls) {
    c = controls;
    m_counting = false;

    // Light text on a dark ground, so the review's bright option colours stay readable.
    QPalette palette = c.QuestionFrame->palette();
    palette.setColor(QPalette::Window, QColor(28, 38, 64));
    palette.setColor(QPalette::WindowText, QColor(240, 240, 240));
    c.QuestionFrame->setPalette(palette);
    c.QuestionFrame->setAutoFillBackground(true);

    FormWidget *widget = m_window.Widget();
    m_timer = new QTimer(widget);
    m_timer->setInterval(1000);
    Guard::Connect(m_timer, &QTimer::timeout, widget, [this] { ExamClockTick(); });
    m_timer->start();
    Guard::Connect(c.Cmd_NextQ, &QPushButton::clicked, widget, [this] { Cmd_NextQ_Click(); });
    Guard::Connect(c.Cmd_Cancel, &QPushButton::clicked, widget, [this] { Cmd_Cancel_Click(); });
}

void ExamDisplay::ReleaseControls() {
    c = ExamControls();
    m_timer = nullptr;
    m_counting = false;
}

void ExamDisplay::ShowHeader() {
    c.Date_Lable->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    c.K_Lable->setText(SelectedTraineeName);
    c.Full_Time->setText(TotalMinutesText);
    c.Label7->setText(QString::number(SecondsPerQuestion));
    c.Label4->setText(QString::number(QuestionCount));
    c.K_Dars->setText(CurrentLessonName);
    c.PBar1->setRange(0, int(QuestionCount) * int(SecondsPerQuestion));
    c.PBar2->setRange(0, int(SecondsPerQuestion));
    c.PBar1->setValue(0);
    c.PBar2->setValue(0);
}

bool ExamDisplay::ShowQuestion() {
    if (QuestionIndex < 0 || QuestionIndex >= QuestionTexts.Columns() || QuestionIndex >= AnswerTexts.Columns() ||
        QuestionIndex >= CorrectOptions.Columns())
        return false;
    c.PBar2->setValue(0);
    c.PTime->setText(QStringLiteral("0"));
    c.QBox->setText(QuestionTexts(0, QuestionIndex));
    for (int k = 0; k < 4; ++k)
        c.AnsBox[k]->setText(AnswerTexts(k, QuestionIndex));
    CurrentCorrectOption = CorrectOptions(0, QuestionIndex);
    ++QuestionIndex;
    c.NumBox->setText(QString::number(NumberShown() + 1));
    m_counting = true;
    return true;
}

int ExamDisplay::NumberShown() const { return numberIn(c.NumBox); }

QString ExamDisplay::ElapsedText() const {
    return c.T4->text() + c.T3->text() + c.T5->text() + c.T2->text() + c.T1->text();
}

void ExamDisplay::ExamClockTick() {
    if (!m_window.IsLoaded() || !m_counting)
        return;
    advance(c.PBar1, m_step);
    advance(c.PBar2, m_step);
    c.PTime->setText(QString::number(numberIn(c.PTime) + m_step));

    // The digits count one a second whatever the step; the tens of minutes do not wrap.
    c.T1->setText(QString::number(numberIn(c.T1) + 1));
    if (c.T1->text() == QLatin1String("10")) {
        c.T1->setText(QStringLiteral("0"));
        c.T2->setText(QString::number(numberIn(c.T2) + 1));
    }
    if (c.T2->text() == QLatin1String("6")) {
        c.T2->setText(QStringLiteral("0"));
        c.T3->setText(QString::number(numberIn(c.T3) + 1));
    }
    if (c.T3->text() == QLatin1String("10")) {
        c.T3->setText(QStringLiteral("0"));
        c.T4->setText(QString::number(numberIn(c.T4) + 1));
    }

    if (c.PBar2->value() == c.PBar2->maximum()) {
        c.PBar2->setValue(0);
        c.PTime->setText(QStringLiteral("0"));
        Cmd_NextQ_Click();
        // The last question's time may have ended the exam and closed the window.
        if (!m_window.IsLoaded())
            return;
    }
    if (c.PBar1->value() == c.PBar1->maximum()) {
        m_timer->stop();
        Cmd_NextQ_Click();
    }
}

void ExamDisplay::Cmd_Cancel_Click() {
    ExamFinished = false;
    m_window.Unload();
}

bool ExamDisplay::ConfirmLeave(const QString &question) {
    // A tick must not end the exam under the open question.
    const bool running = m_timer && m_timer->isActive();
    if (m_timer)
        m_timer->stop();
    if (MsgBox(question, Msg::vbYesNo + Msg::vbExclamation, ExamTexts::WarningTitle) == Msg::vbYes) {
        ResetChartGlobals();
        return true;
    }
    if (running && m_timer)
        m_timer->start();
    return false;
}
