#pragma once
// The help window: a fixed text about the program and how to work with it.
#include "platform/Form.h"
#include "ui_frmhelp.h"

class frmhelp : public UiForm<Ui::frmhelp> {
public:
    frmhelp() : UiForm(QStringLiteral("frmhelp")) {}
};
