#pragma once

#include <string_view>

namespace analysis {

enum class Outcome {
    Report,   // FortuneNumber found: the report can be shown
    Rejected, // no leading number, or it is 0
    Beyond,   // the number cannot be reduced to a row of the table
};

struct Derivation {
    Outcome outcome = Outcome::Rejected;
    int FortuneNumber = 0; // 1..81 when outcome is Report, else 0
};

// Reduces the typed text to its numerology number: 81 when the whole text reads as 81,
// otherwise the last eight characters read as a whole number, taken modulo 80 (0 becoming 80).
Derivation DeriveFortuneNumber(std::u16string_view input);

} // namespace analysis
