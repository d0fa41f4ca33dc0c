#include "exams/Score.h"

#include <algorithm>
#include <cmath>

#include "platform/Convert.h"
#include "shell/Module1.h"

namespace Score {

double Points(double correct, double wrong) {
    const double t = Convert::Val(Module1::GetSetting(QStringLiteral("T_Emtiyaz")));
    const double f = Convert::Val(Module1::GetSetting(QStringLiteral("F_Emtiyaz")));
    return t * correct - f * wrong;
}

int16_t Whole(double score) {
    if (std::isnan(score)) // an infinite setting times a count of 0
        return 0;
    return Convert::CInt(std::clamp(score, -32768.0, 32767.0));
}

std::optional<int16_t> Exact(uint8_t correct, uint8_t wrong) {
    try {
        return Convert::CInt(Points(correct, wrong));
    } catch (const Convert::ConversionError &) {
        return std::nullopt;
    }
}

} // namespace Score
