#pragma once
// The main menu: the hub from which every other window opens.
#include "platform/Form.h"
#include "ui_MainForm.h"

class MainForm : public UiForm<Ui::MainForm> {
public:
    MainForm() : UiForm(QStringLiteral("MainForm")) {}
};
