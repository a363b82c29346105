#include "knowledge/numerology_table.h"

#include <initializer_list>
#include <iterator>

namespace knowledge {
namespace {

// One number's texts as written in the row files: the eight columns, then its SayingThreeList
// entry.
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

// A block that forgets a field leaves a null view there, where an empty text is written u"".
// Gives the first number whose block misses a field, or 0.
constexpr std::size_t IncompleteNumber()
{
    for (std::size_t n = 1; n < std::size(Numbers); ++n) {
        const NumberTexts &t = Numbers[n];
        for (std::u16string_view text : {t.viewOne, t.viewTwo, t.sayingOne, t.sayingTwo, t.career,
                                         t.family, t.health, t.meaning, t.sayingThree}) {
            if (text.data() == nullptr)
                return n;
        }
    }
    return 0;
}
static_assert(IncompleteNumber() == 0, "every block writes all nine fields, u\"\" when empty");

} // namespace

void FillNumerologyTable(NumerologyTable &table, SayingThreeList &sayingThree)
{
    for (std::size_t n = 1; n < std::size(Numbers); ++n) {
        const NumberTexts &texts = Numbers[n];
        table[n] = Row{texts.viewOne, texts.viewTwo, texts.sayingOne, texts.sayingTwo,
                       texts.career,  texts.family,  texts.health,    texts.meaning};
        sayingThree[n] = texts.sayingThree;
    }
}

} // namespace knowledge
