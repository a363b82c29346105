#include "analysis/leading_number.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using analysis::LeadingNumber;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Half the smallest subnormal double, 2^-1075 = 5^1075 / 10^1075, written out in full.
std::u16string halfSmallestSubnormal()
{
    std::u16string digits = u"1"; // 5^k, most significant digit first
    for (int k = 0; k < 1075; ++k) {
        int carry = 0;
        for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
            const int product = (*d - u'0') * 5 + carry;
            *d = static_cast<char16_t>(u'0' + product % 10);
            carry = product / 10;
        }
        if (carry != 0)
            digits.insert(digits.begin(), static_cast<char16_t>(u'0' + carry));
    }
    return u"0." + std::u16string(1075 - digits.size(), u'0') + digits;
}

struct Reading {
    std::u16string_view text;
    double value;
};

} // namespace

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText)
{
    const Reading readings[] = {
        {u"12abc", 12},
        {u"abc12", 0},
        {u"1.5E3", 1500},
        {u"0081", 81},
        {u"81.0", 81},
        {u"+7", 7},
        {u"-5", -5},
        {u"-.5", -0.5},
        {u".5", 0.5},
        {u"5.", 5},
        {u"1.2.3", 1.2}, // one decimal point only
        {u"12，34", 12}, // a comma ends the number
        {u"１２", 0},    // full-width digits are not digits
        {u"一二三", 0},
        {u"¥12", 0},
        {u"--5", 0},
        {u"-", 0},
        {u".", 0},
        {u"", 0},
        {u"13812345678", 13812345678.0},
    };
    for (const Reading &r : readings)
        EXPECT_EQ(LeadingNumber(r.text), r.value) << Utf8(r.text);
}

TEST(LeadingNumber, DropsBlanksTabsAndLineFeedsButNothingElse)
{
    const Reading readings[] = {
        {u"1 2 3", 123},  {u"  42", 42}, {u"\t1\n2", 12}, {u"- 5", -5}, {u"2E 3", 2000},
        {u"&H 1 0", 16},  {u"   ", 0},   {u"\r12", 0}, // a carriage return is an ordinary character
        {u"\u300012", 0},                              // so is the ideographic space
        {u"1\u00A02", 1},
    };
    for (const Reading &r : readings)
        EXPECT_EQ(LeadingNumber(r.text), r.value) << Utf8(r.text);
}

TEST(LeadingNumber, TakesAnExponentOnlyWhenDigitsFollowTheLetter)
{
    const Reading readings[] = {
        {u"1E5", 1e5},  {u"1e5", 1e5}, {u"1D2", 100}, {u"1d2", 100},   {u"1e-2", 0.01},
        {u"1E+2", 100}, {u"1e", 1},    {u"1e+", 1},   {u"1ex", 1},     {u"2d-x", 2},
        {u"E5", 0},     {u".E5", 0},   {u"1.E1", 10}, {u"1e2.5", 100},
    };
    for (const Reading &r : readings)
        EXPECT_EQ(LeadingNumber(r.text), r.value) << Utf8(r.text);
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalOnlyAtTheStart)
{
    const Reading readings[] = {
        {u"&H10", 16}, {u"&h1f", 31}, {u"&HFFFFFFFFFF", 1099511627775.0},
        {u"&O17", 15}, {u"&o8", 0},   {u"&O178", 15},
        {u"&H", 0},    {u"&", 0},     {u"&X1", 0},
        {u"1&H10", 1}, {u"-&H10", 0}, {u"&H-1", 0},
    };
    for (const Reading &r : readings)
        EXPECT_EQ(LeadingNumber(r.text), r.value) << Utf8(r.text);
}

TEST(LeadingNumber, RoundsToTheNearestDoubleAtTheEdgesOfTheRange)
{
    constexpr double Smallest = std::numeric_limits<double>::denorm_min();
    const std::u16string tie = halfSmallestSubnormal();
    const struct {
        std::u16string text;
        double value;
    } readings[] = {
        {u"1E400", Infinity},
        {u"-1E400", -Infinity},
        {u"1E99999999999999999999", Infinity},
        {std::u16string(400, u'9'), Infinity},
        {u"&H" + std::u16string(300, u'F'), Infinity},
        // Below half the smallest subnormal a number reads 0; the exact half goes to the
        // even neighbour, 0 too, and anything above it to the smallest subnormal.
        {u"1E-400", 0},
        {u"0." + std::u16string(400, u'0') + u"1", 0},
        {u"2e-324", 0},
        {u"1107195241908731d-339", 0},
        {u"2.4703282292062327e-324", 0},
        {tie, 0},
        {tie + u"1", Smallest},
        {u"2.4703282292062328e-324", Smallest},
        {u"3e-324", Smallest},
        {u"-3e-324", -Smallest},
        {u"7.5e-324", 2 * Smallest},
        {u"1e-310", 1e-310},
        // Many digits within the range still read exactly.
        {u"0." + std::u16string(300, u'0') + u"1", 1e-301},
        {std::u16string(300, u'0') + u"7", 7},
    };
    for (const auto &r : readings)
        EXPECT_EQ(LeadingNumber(r.text), r.value) << Utf8(r.text.substr(0, 40));
}

TEST(LeadingNumber, ReadsAMillionCharactersWithoutTrouble)
{
    std::u16string text(1'000'000, u' ');
    text[999'998] = u'4';
    text[999'999] = u'2';
    EXPECT_EQ(LeadingNumber(text), 42);
    text.assign(1'000'000, u'a');
    EXPECT_EQ(LeadingNumber(text), 0);
    text.assign(1'000'000, u'\xD800'); // lone surrogates are just characters
    EXPECT_EQ(LeadingNumber(text), 0);
}
