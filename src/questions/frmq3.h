#pragma once
// The question viewer: the lesson that the browse window holds in memory, one question at a time,
// with its options, its correct option and its record id. It never touches the database.
#include "platform/Form.h"
#include "ui_frmq3.h"

class frmq3 : public UiForm<Ui::frmq3> {
public:
    frmq3() : UiForm(QStringLiteral("frmq3")) {}

    // The question on screen, 0-based; within the questions held while the window is open.
    int ViewerPosition = 0;

    void ShowViewerQuestion(int k);
    void cmdnext_Click();
    void cmdback_Click();
    void Label5_Click();

protected:
    void Connect() override;
    void Form_Load() override;
    void Form_Activate() override;
};
