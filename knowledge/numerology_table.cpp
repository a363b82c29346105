#include "knowledge/numerology_table.h"

#include <iterator>

namespace knowledge {
namespace {

// One number's texts as written in the row files: the eight columns, then its SayingThreeList entry.
struct NumberTexts {
    std::u16string_view viewOne;
    std::u16string_view viewTwo;
    std::u16string_view sayingOne;
    std::u16string_view sayingTwo;
    std::u16string_view career;
    std::u16string_view family;
    std::u16string_view health;
    std::u16string_view meaning;
    std::u16string_view sayingThree;
};

constexpr NumberTexts Numbers[] = {
    {}, // no number 0
#include "rows/rows_01_21.inc"
#include "rows/rows_22_41.inc"
#include "rows/rows_42_60.inc"
#include "rows/rows_61_81.inc"
};
static_assert(std::size(Numbers) == MaxNumber + 1, "one block per number 1..81");

} // namespace

void FillNumerologyTable(NumerologyTable &table, SayingThreeList &sayingThree)
{
    for (std::size_t n = 1; n < std::size(Numbers); ++n) {
        const NumberTexts &texts = Numbers[n];
        table[n] = Row{texts.viewOne, texts.viewTwo, texts.sayingOne, texts.sayingTwo,
                       texts.career,  texts.family,  texts.health,    texts.meaning};
    }
    // Number 81 closes the cycle and has no summing-up saying of its own.
    for (std::size_t n = 1; n < std::size(Numbers) - 1; ++n)
        sayingThree[n] = Numbers[n].sayingThree;
}

} // namespace knowledge
