#include "analysis/fortune.h"

#include "analysis/leading_number.h"
#include "knowledge/numerology_table.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace analysis {

Derivation DeriveFortuneNumber(std::u16string_view input)
{
    constexpr std::size_t TailLength = 8;
    constexpr int Cycle = 80;

    const double whole = LeadingNumber(input);
    if (!std::isfinite(whole))
        return {Outcome::Beyond};
    if (whole == 0)
        return {Outcome::Rejected};
    if (whole == knowledge::MaxNumber)
        return {Outcome::Report, knowledge::MaxNumber};

    const std::u16string_view tail =
        input.size() > TailLength ? input.substr(input.size() - TailLength) : input;
    const double tailValue = LeadingNumber(tail);
    // Ties go to the even neighbour, as the default floating-point rounding does.
    const double rounded = std::nearbyint(tailValue);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min()
          && rounded <= std::numeric_limits<std::int32_t>::max()))
        return {Outcome::Beyond};

    const int remainder = static_cast<std::int32_t>(rounded) % Cycle;
    if (remainder < 0)
        return {Outcome::Beyond}; // a negative remainder names no row
    return {Outcome::Report, remainder == 0 ? Cycle : remainder};
}

} // namespace analysis
