#pragma once
// The main menu: the hub from which every other window opens. It keeps the school year and class
// that the exam, the trainee list and the research notes need, and shows today's date.
#include <QPoint>
#include <array>
#include <cstdint>

#include "platform/Form.h"
#include "ui_MainForm.h"

class DataControl;
class QLabel;
class QTimer;

class MainForm : public UiForm<Ui::MainForm> {
public:
    MainForm() : UiForm(QStringLiteral("MainForm")) {}

    void Image2_Click();
    void Image21_Click();
    void Image22_Click();
    void IMAGE23_Click();
    void Image24_Click();
    void Image25_Click();
    void Image26_Click();
    void Image5_Click();
    // The mouse over an entry's picture: element is the entry's caption in TL.
    void Entry_MouseMove(int element);
    // Positions in twips, relative to the window.
    void Form_MouseDown(Qt::MouseButton button, int x, int y);
    void Form_MouseMove(int x, int y);
    void Form_MouseUp();
    void Timer2_Timer();

    QTimer *Timer2 = nullptr;
    DataControl *Adodc2 = nullptr;

protected:
    void Form_Load() override;
    void Connect() override;
    void Disconnect() override;

private:
    bool CheckClass();
    // The windows behind the entries.
    void OpenQuestionBrowser();
    void OpenQuestionBank();
    void OpenExamSetup();
    void OpenTraineeList();
    void OpenSettings();
    void OpenResearchNotes();

    // Hover captions by element; 5 and 7 do not exist.
    std::array<QLabel *, 9> TL{};
    std::array<QLabel *, 8> L{};

    int16_t m_lightIndex = 0;
    bool m_dragging = false;
    int m_dragX = 0;
    int m_dragY = 0;
};
