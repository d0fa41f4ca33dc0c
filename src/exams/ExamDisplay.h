#pragma once
// What the exam window and the answer review have in common: the question display, the option
// boxes, the header labels, the two time bars and the one-second clock that drives them.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>

class FormBase;

// The shared controls of a loaded window, under their names.
struct ExamControls {
    QFrame *QuestionFrame = nullptr;
    QLabel *QBox = nullptr;
    std::array<QLabel *, 4> AnsBox{};
    std::array<QCheckBox *, 4> Check{};
    QPushButton *Cmd_NextQ = nullptr;
    QPushButton *Cmd_Cancel = nullptr;
    QLabel *NumBox = nullptr, *Label4 = nullptr, *Label7 = nullptr, *K_Lable = nullptr, *Date_Lable = nullptr,
           *K_Dars = nullptr, *Full_Time = nullptr, *PTime = nullptr;
    QLabel *T1 = nullptr, *T2 = nullptr, *T3 = nullptr, *T4 = nullptr, *T5 = nullptr;
    QProgressBar *PBar1 = nullptr, *PBar2 = nullptr;

    template <class Ui> static ExamControls From(Ui &ui) {
        ExamControls c;
        c.QuestionFrame = ui.QuestionFrame;
        c.QBox = ui.QBox;
        c.AnsBox = {ui.AnsBox1, ui.AnsBox2, ui.AnsBox3, ui.AnsBox4};
        c.Check = {ui.Check1, ui.Check2, ui.Check3, ui.Check4};
        c.Cmd_NextQ = ui.Cmd_NextQ;
        c.Cmd_Cancel = ui.Cmd_Cancel;
        c.NumBox = ui.NumBox;
        c.Label4 = ui.Label4;
        c.Label7 = ui.Label7;
        c.K_Lable = ui.K_Lable;
        c.Date_Lable = ui.Date_Lable;
        c.K_Dars = ui.K_Dars;
        c.Full_Time = ui.Full_Time;
        c.PTime = ui.PTime;
        c.T1 = ui.T1;
        c.T2 = ui.T2;
        c.T3 = ui.T3;
        c.T4 = ui.T4;
        c.T5 = ui.T5;
        c.PBar1 = ui.PBar1;
        c.PBar2 = ui.PBar2;
        return c;
    }
};

class ExamDisplay {
public:
    // The window's own state; it outlives the window's controls.
    int16_t QuestionIndex = 0;       // the next question to show: one more than the one on screen
    uint8_t CurrentCorrectOption = 0; // the correct option of the question on screen
    bool ExamFinished = false;        // ended normally: closing asks nothing

    // One second of the clock: the bars and seconds by the window's step, the elapsed digits by one,
    // and the question's and the whole exam's time limits.
    void ExamClockTick();
    // The clock of the loaded window (null when it is not loaded).
    QTimer *Timer1() const { return m_timer; }
    // The elapsed time as mm:ss (the digits joined).
    QString ElapsedText() const;

    // The Next command (also raised by the clock's time limits).
    virtual void Cmd_NextQ_Click() = 0;
    void Cmd_Cancel_Click();

protected:
    ExamDisplay(FormBase &window, int step) : m_window(window), m_step(step) {}
    virtual ~ExamDisplay() = default;

    // After the layout is built: takes the controls, colours the question area, makes the running
    // clock and wires the two buttons.
    void BindControls(const ExamControls &controls);
    void ReleaseControls();
    // The exam's labels from the shared state and both bars set to the exam's limits.
    void ShowHeader();
    // Question QuestionIndex into the display; QuestionIndex and the number shown move on by one.
    // False, with nothing changed, when the question arrays do not hold that question.
    bool ShowQuestion();
    // The leave question (style 52, warning title) with the clock held still while it is open;
    // Yes clears the shared result. False keeps the window open.
    bool ConfirmLeave(const QString &question);
    int NumberShown() const;

    ExamControls c;

private:
    FormBase &m_window;
    int m_step;
    QTimer *m_timer = nullptr;
    // Ticks before the first question is on screen have nothing to count.
    bool m_counting = false;
};
