#pragma once

#include "analysis/module1.h"

#include <string>
#include <string_view>

namespace analysis {

// Prices the typed text as a QQ account number by its length (5..9 characters) and by how often
// its most frequent digit occurs; any other character counts as the digit 0. Empty for other
// lengths. Writes the digit values into data.DigitList.
std::u16string AppraiseNumber(Module1 &data, std::u16string_view input);

// One sentence of advice chosen by the rating at the head of the row's first saying, or empty
// when the row carries no known rating. FortuneNumber must lie in 1..81.
std::u16string ChooseVerdict(const Module1 &data, int FortuneNumber);

} // namespace analysis
