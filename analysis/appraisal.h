#pragma once

#include "analysis/module1.h"

#include <string>
#include <string_view>

namespace analysis {

// Prices the typed text as a QQ account number by its length (5..9 characters) and by how often
// its most frequent digit occurs; any other character counts as the digit 0. Empty for other
// lengths. Writes the digit values into data.DigitList.
std::u16string AppraiseNumber(Module1 &data, std::u16string_view input);

} // namespace analysis
