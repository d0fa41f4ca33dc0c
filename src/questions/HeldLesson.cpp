#include "questions/HeldLesson.h"

#include <algorithm>

namespace HeldLesson {

int FilledEntries() {
    using namespace Module1;
    if (QuestionTexts.Rows() < 1 || AnswerTexts.Rows() < 4 || CorrectOptions.Rows() < 2)
        return 0;
    return std::max(0, std::min({QuestionCount, QuestionTexts.Columns(), AnswerTexts.Columns(), CorrectOptions.Columns()}));
}

} // namespace HeldLesson
