#pragma once
// The start-up window: asks for the server computer that shares the database, proves the
// connection, writes the first saved settings and hands over to the main menu.
#include "platform/Form.h"
#include "ui_frmadress.h"

class frmadress : public UiForm<Ui::frmadress> {
public:
    frmadress() : UiForm(QStringLiteral("frmadress")) {}

    void Command1_Click();
    void Command2_Click();

protected:
    void Connect() override;
};
