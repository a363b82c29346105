#pragma once

#include "knowledge/numerology_table.h"

#include <array>
#include <string>

namespace analysis {

// The program-wide data: created once at start-up, handed to every run.
struct Module1 {
    knowledge::NumerologyTable NumerologyTable{};
    knowledge::SayingThreeList SayingThreeList{};
    // The last accepted run's report, without the full stop that only the shown text carries.
    std::u16string ReportText;
    // The result box's introduction as start-up found it; every run puts it back first.
    std::u16string IntroText;
    // Digit values of the last appraised input, slots 1..9; slot 0 is unused.
    std::array<double, 10> DigitList{};
};

// The data with the table filled, as start-up leaves it, for what runs without the window.
inline Module1 FilledModule()
{
    Module1 data;
    knowledge::FillNumerologyTable(data.NumerologyTable, data.SayingThreeList);
    return data;
}

} // namespace analysis
