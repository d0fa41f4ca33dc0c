#include "shell/MainForm.h"

#include <QDate>
#include <QLocale>
#include <QTimer>

#include "platform/BusyMessages.h"
#include "exams/ExamForm.h"
#include "platform/App.h"
#include "platform/DataControl.h"
#include "platform/MouseEvents.h"
#include "platform/MsgBox.h"
#include "questions/QuestionForm.h"
#include "questions/frmq2.h"
#include "shell/Module1.h"
#include "shell/SettingForm.h"
#include "shell/frmhelp.h"
#include "trainees/KaramoozList.h"
#include "trainees/notekaramooz1.h"

using namespace Module1;

namespace {
constexpr int TwipsPerPixel = 15;
const QColor LightOn(128, 255, 128);
const QColor LightOff(0, 0, 64);

void SetBackColor(QLabel *label, const QColor &color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, color);
    label->setPalette(palette);
}
} // namespace

void MainForm::Connect() {
    auto &u = ui();
    const auto click = [this](QAbstractButton *button, void (MainForm::*handler)()) { OnClick(*this, button, handler); };
    click(u.Image2, &MainForm::Image2_Click);
    click(u.Image21, &MainForm::Image21_Click);
    click(u.Image22, &MainForm::Image22_Click);
    click(u.IMAGE23, &MainForm::IMAGE23_Click);
    click(u.Image24, &MainForm::Image24_Click);
    click(u.Image25, &MainForm::Image25_Click);
    click(u.Image26, &MainForm::Image26_Click);
    click(u.Image5, &MainForm::Image5_Click);

    TL = {u.TL0, u.TL1, u.TL2, u.TL3, u.TL4, nullptr, u.TL6, nullptr, u.TL8};
    L = {u.L0, u.L1, u.L2, u.L3, u.L4, u.L5, u.L6, u.L7};
    const std::pair<QWidget *, int> entries[] = {{u.Image2, 0},  {u.Image21, 1}, {u.Image22, 2}, {u.IMAGE23, 3},
                                                 {u.Image24, 4}, {u.Image25, 8}, {u.Image26, 6}};
    for (const auto &[picture, element] : entries) {
        MouseEvents::Install(picture, {.move = [this, element](Qt::MouseButton, Qt::MouseButtons, QPoint) {
                                 Entry_MouseMove(element);
                             }});
        // A screen reader tells the pictures apart by what their hover caption says.
        picture->setAccessibleName(TL[element]->text());
    }
    u.Image5->setAccessibleName(u.Label1->text());

    MouseEvents::Install(
        Widget(), {.down = [this](Qt::MouseButton button, Qt::MouseButtons,
                                  QPoint pos) { Form_MouseDown(button, pos.x() * TwipsPerPixel, pos.y() * TwipsPerPixel); },
                   .move = [this](Qt::MouseButton, Qt::MouseButtons,
                                  QPoint pos) { Form_MouseMove(pos.x() * TwipsPerPixel, pos.y() * TwipsPerPixel); },
                   .up = [this](Qt::MouseButton, Qt::MouseButtons, QPoint) { Form_MouseUp(); }});

    Adodc2 = new DataControl(Widget());
    Timer2 = new QTimer(Widget());
    Timer2->setInterval(500);
    On(*this, Timer2, &QTimer::timeout, [this] { Timer2_Timer(); });
    Timer2->start();
}

void MainForm::Disconnect() {
    TL = {};
    L = {};
    Adodc2 = nullptr;
    Timer2 = nullptr;
    m_dragging = false;
}

// Every load starts from the same choice, also when the trainee list brings the menu back.
void MainForm::Form_Load() {
    const QDate today = QDate::currentDate();
    ui().TimeText->setText(QLocale().toString(today, QLocale::ShortFormat));
    ui().DateText->setText(PersianDate(today, 3).value_or(QString()));
    ui().Label2->setText(QStringLiteral("اين نسخه از برنامه صرفاً براي سازمان آموزش و پروش طراحي شده است - Quorvel"));
    ui().Comboclase->setCurrentIndex(2);
    ui().Combosal->setCurrentIndex(2);
}

void MainForm::Image2_Click() { OpenQuestionBrowser(); }

void MainForm::Image21_Click() { OpenQuestionBank(); }

void MainForm::Image22_Click() {
    if (!CheckClass())
        return;
    OpenExamSetup();
}

void MainForm::IMAGE23_Click() {
    // The globals change even when no class is defined and the list does not open.
    if (!CheckClass())
        return;
    try {
        Adodc2->ConnectionString = ConnectionString;
        Adodc2->CommandType = DataControl::adCmdText;
        Adodc2->RecordSource = QStringLiteral("select * from clase");
        Adodc2->Refresh();
        ScratchValue = Adodc2->Recordset().RecordCount();
    } catch (const Db::BusyError &) {
        Db::TellBusy();
        return;
    } catch (const Db::DbError &) {
        // The program runs on (the next try may well pass), so the message says only what failed.
        MsgBox(QStringLiteral(" فهرست کلاس ها از پايگاه داده خوانده نشد "), Msg::vbCritical, QString());
        return;
    }
    if (ScratchValue.toInt() == 0) {
        MsgBox(QStringLiteral(" هيچ کلاسي  تعريف نشده  لطفا تعريف کنيد "), Msg::vbExclamation, QString());
        return;
    }
    OpenTraineeList();
}

void MainForm::Image24_Click() { OpenSettings(); }

void MainForm::Image25_Click() {
    if (!CheckClass())
        return;
    OpenResearchNotes();
}

void MainForm::Image26_Click() { Forms::Get<frmhelp>().ShowModal(); }

// No question and no clean-up: the program simply ends.
void MainForm::Image5_Click() { App::End(); }

void MainForm::Entry_MouseMove(int element) {
    for (int i = 0; i < int(TL.size()); ++i)
        if (TL[i])
            TL[i]->setVisible(i == element);
}

// Only the bands at the top and bottom move the window; the middle belongs to the entries.
void MainForm::Form_MouseDown(Qt::MouseButton button, int x, int y) {
    if (button == Qt::LeftButton && x < 10000 && (y < 800 || y > 6300)) {
        Widget()->setCursor(Qt::SizeAllCursor);
        m_dragging = true;
        m_dragX = x;
        m_dragY = y;
    }
}

void MainForm::Form_MouseMove(int x, int y) {
    if (m_dragging)
        Move(Left() + x - m_dragX, Top() + y - m_dragY);
}

void MainForm::Form_MouseUp() {
    m_dragging = false;
    Widget()->unsetCursor();
}

void MainForm::Timer2_Timer() {
    ++m_lightIndex;
    if (m_lightIndex == 8) {
        m_lightIndex = 0;
        SetBackColor(L[0], LightOn);
        SetBackColor(L[7], LightOff);
    } else {
        SetBackColor(L[m_lightIndex], LightOn);
        SetBackColor(L[m_lightIndex - 1], LightOff);
    }
}

// Copies the chosen year and class into the globals the class's windows read.
bool MainForm::CheckClass() {
    if (ui().Combosal->currentText().isEmpty() || ui().Comboclase->currentText().isEmpty()) {
        MsgBox(QStringLiteral(" کلاس و سال تحصيلي مورد نظر خود را انتخاب کنيد  "), Msg::vbOKOnly, QStringLiteral("اخطار"));
        return false;
    }
    SelectedYearText = ui().Combosal->itemText(ui().Combosal->currentIndex());
    ClassNumberText = QString::number(ui().Comboclase->currentIndex() + 1);
    SelectedClassName = ui().Comboclase->itemText(ui().Comboclase->currentIndex());
    return true;
}

// The question bank with copying: modeless, the menu stays usable.
void MainForm::OpenQuestionBrowser() { Forms::Get<frmq2>().Show(); }

void MainForm::OpenQuestionBank() { Forms::Get<QuestionForm>().ShowModal(); }

void MainForm::OpenExamSetup() { Forms::Get<ExamForm>().ShowModal(); }

// The trainee list takes the menu's place: the menu unloads and the list opens modally; its back
// buttons show the menu again. The list is loaded first, so the program never runs out of windows.
void MainForm::OpenTraineeList() {
    KaramoozList &list = Forms::Get<KaramoozList>();
    list.Load();
    Unload();
    list.ShowModal();
}

void MainForm::OpenSettings() { Forms::Get<SettingForm>().ShowModal(); }

void MainForm::OpenResearchNotes() { Forms::Get<notekaramooz1>().ShowModal(); }
