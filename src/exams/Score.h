#pragma once
// The exam score from the saved points: the exam stores it, the chart shows it.
#include <cstdint>
#include <optional>

namespace Score {

// correct × "T_Emtiyaz" − wrong × "F_Emtiyaz" unrounded, in double precision (missing or
// non-numeric settings count as 0).
double Points(double correct, double wrong);

// A score as a whole number, halves to even; beyond the 16-bit range it stops at the range's end.
int16_t Whole(double score);

// Points rounded halves to even, or nothing when a 16-bit number cannot hold it (the exam tells of that).
std::optional<int16_t> Exact(uint8_t correct, uint8_t wrong);

} // namespace Score
