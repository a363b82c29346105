#pragma once

#include "analysis/module1.h"

#include <string>

namespace analysis {

// One sentence of advice chosen by the rating at the head of the row's first saying, or empty
// when the row carries no known rating. FortuneNumber must lie in 1..81.
std::u16string ChooseVerdict(const Module1 &data, int FortuneNumber);

} // namespace analysis
