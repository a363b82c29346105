#pragma once

#include <string_view>

namespace analysis {

// The numeric reading of a text, in the manner of BASIC's Val: blanks, tabs and line feeds are
// dropped wherever they stand; then a decimal number (sign, digits, one point, an exponent with
// E or D) or, at the very start, &H hexadecimal or &O octal digits; reading stops at the first
// character that cannot continue it. Gives 0 when nothing numeric leads, and an infinity when
// the number lies beyond the double range.
double LeadingNumber(std::u16string_view text);

} // namespace analysis
