#pragma once
// The bank window, modal from the main menu: every field of the question on screen in bound boxes.
#include "questions/QuestionBankForm.h"

class QuestionForm : public QuestionBankForm {
public:
    QuestionForm();
};
