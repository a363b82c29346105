#pragma once

#include <string_view>

namespace analysis {

// The numeric reading of a text, in the manner of BASIC's Val: blanks, tabs and line feeds are
// dropped wherever they stand; then a decimal number (sign, digits, one point, an exponent with
// E or D) or, at the very start, &H hexadecimal or &O octal digits; reading stops at the first
// character that cannot continue it. Gives the nearest double, ties to even; 0 when nothing
// numeric leads or the number is too small to round to a non-zero double, and an infinity when
// it lies beyond the double range.
double LeadingNumber(std::u16string_view text);

} // namespace analysis
