#include "trainees/noteadd.h"

#include "platform/DataControl.h"
#include "shell/Module1.h"

using namespace Module1;

void noteadd::Connect() {
    Adodc3 = new DataControl(Widget());
    On(*this, ui().Cmd_Select, &QPushButton::clicked, [this] { Cmd_Select_Click(); });
    On(*this, ui().Cmd_Start, &QPushButton::clicked, [this] { Cmd_Start_Click(); });
    On(*this, ui().Cmd_Cancel, &QPushButton::clicked, [this] { Cmd_Cancel_Click(); });
}

void noteadd::Form_Load() { ui().lblmozo->setText(CurrentLessonName); }

// Every way out of the dialog reports "not confirmed"; a confirm sets 1 only after this has run.
void noteadd::Form_Unload() { StartMode = 0; }

TraineeBoxes noteadd::traineeBoxes() { return {ui().Text5, ui().Text6, ui().Text7}; }

void noteadd::Cmd_Select_Click() {
    if (!SelectForm::OpenFor(*this, *Adodc3, traineeBoxes()))
        return;
    // Also when the picker was closed without a pick: Confirm then says what is missing.
    if (IsLoaded())
        ui().Cmd_Start->setEnabled(true);
}

void noteadd::Cmd_Start_Click() {
    if (!SelectForm::CheckEntry(traineeBoxes(), ui().Cmd_Select))
        return;
    EnteredNationalCode = ui().Text7->text();
    Unload();
    StartMode = 1;
}

void noteadd::Cmd_Cancel_Click() { Unload(); }
