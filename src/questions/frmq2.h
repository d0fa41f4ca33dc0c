#pragma once
// The browse window, modeless from the main menu: the chosen lesson is also held in memory, where the
// details page and the question viewer read it.
#include "questions/QuestionBankForm.h"

class frmq2 : public QuestionBankForm {
public:
    frmq2();

protected:
    void LessonListed(const QString &name) override;
};
