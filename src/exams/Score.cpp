#include "exams/Score.h"

#include <algorithm>
#include <cmath>

#include "platform/Convert.h"
#include "shell/Module1.h"

namespace Score {

int16_t FromSettings(uint8_t correct, uint8_t wrong) {
    const double t = Convert::Val(Module1::GetSetting(QStringLiteral("T_Emtiyaz")));
    const double f = Convert::Val(Module1::GetSetting(QStringLiteral("F_Emtiyaz")));
    const double score = t * correct - f * wrong;
    if (std::isnan(score)) // an infinite setting times a count of 0
        return 0;
    return Convert::CInt(std::clamp(score, -32768.0, 32767.0));
}

} // namespace Score
