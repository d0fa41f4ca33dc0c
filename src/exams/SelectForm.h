#pragma once
// The trainee picker: lists the trainees of the chosen class and hands the one taken to the window
// that opened it, into that window's own result boxes.
#include <QPointer>

#include "platform/Form.h"
#include "ui_SelectForm.h"

class DataControl;
class QLineEdit;
class QWidget;

// The opener's result boxes: the name, the hidden national code and the hidden entry code.
struct TraineeBoxes {
    QPointer<QLineEdit> name;
    QPointer<QLineEdit> nationalCode;
    QPointer<QLineEdit> entryCode;
};

class SelectForm : public UiForm<Ui::SelectForm> {
public:
    SelectForm() : UiForm(QStringLiteral("SelectForm")) {}

    // Where the next pick goes; forgotten when the picker closes, so a pick never reaches an earlier opener.
    void SetOpener(const TraineeBoxes &boxes) { m_opener = boxes; }

    // The openers' choose command: refuses a class without trainees (counted in the opener's own data
    // control), else shows the picker modally below and to the right of the opener. False when refused.
    static bool OpenFor(FormBase &opener, DataControl &trainees, const TraineeBoxes &boxes);
    // The openers' check before going on: a trainee picked and the entry code typed exactly as the
    // national code. Tells the user what is wrong and returns false.
    static bool CheckEntry(const TraineeBoxes &boxes, QWidget *selectButton);

    void cmdfind_Click();
    void Command1_Click();
    void PickTrainee();

protected:
    void Connect() override;
    void Disconnect() override { Adodc1 = nullptr; }
    void Form_Load() override;
    void Form_Unload() override { m_opener = {}; }

private:
    // The class's trainees in ID order; false (the user told) when they cannot be read.
    bool loadList();

    DataControl *Adodc1 = nullptr;
    TraineeBoxes m_opener;
};
