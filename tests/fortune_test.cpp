#include "analysis/fortune.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace analysis;

namespace {

struct Case {
    std::u16string_view input;
    Outcome outcome;
    int fortune; // 0 unless the outcome is a report
};

void check(const Case &c)
{
    const Derivation d = DeriveFortuneNumber(c.input);
    const std::string shown = Utf8(c.input.substr(0, 40));
    EXPECT_EQ(d.outcome, c.outcome) << shown;
    EXPECT_EQ(d.FortuneNumber, c.fortune) << shown;
}

} // namespace

// The worked examples: the last eight characters, rounded half to even, taken modulo 80.
TEST(DeriveFortuneNumber, ReducesTheWorkedExamples)
{
    const Case cases[] = {
        {u"12345678", Outcome::Report, 78},    // 12345678 = 154320 * 80 + 78
        {u"13812345678", Outcome::Report, 78}, // only 12345678 is reduced
        {u"123456789", Outcome::Report, 69},   // 23456789 = 293209 * 80 + 69
        {u"88888", Outcome::Report, 8},        // 88888 = 1111 * 80 + 8
        {u"10000", Outcome::Report, 80},       // remainder 0 is row 80
        {u"161", Outcome::Report, 1},
        {u"12abc", Outcome::Report, 12},
        {u"&H10", Outcome::Report, 16},
        {u"1E5", Outcome::Report, 80},
        {u"1234abcd5678", Outcome::Report, 80}, // the tail "abcd5678" reads 0
        {u"2.5", Outcome::Report, 2},
        {u"3.5", Outcome::Report, 4},
        {u"0.4", Outcome::Report, 80},
        {u"-80", Outcome::Report, 80},
        {u"-160", Outcome::Report, 80},
        {u"12345678   ", Outcome::Report, 78}, // the tail "45678   " reads 45678
        {u"1 E9", Outcome::Report, 80},        // 1000000000 = 12500000 * 80
    };
    for (const Case &c : cases)
        check(c);
}

TEST(DeriveFortuneNumber, TestsTheWholeInputForEightyOneAndOnlyTheTailForTheRest)
{
    const Case cases[] = {
        {u"81", Outcome::Report, 81},        {u"0081", Outcome::Report, 81},
        {u"81.0", Outcome::Report, 81},      {u"81abc", Outcome::Report, 81},
        {u" 8 1 ", Outcome::Report, 81},     {u"81.5", Outcome::Report, 2}, // 81.5 rounds to 82
        {u"100000081", Outcome::Report, 1}, // the tail 00000081 is reduced
        {u"1200000081", Outcome::Report, 1},
    };
    for (const Case &c : cases)
        check(c);
}

TEST(DeriveFortuneNumber, RejectsTextsThatDoNotLeadWithANonZeroNumber)
{
    const Case cases[] = {
        {u"", Outcome::Rejected, 0},
        {u"   ", Outcome::Rejected, 0},
        {u"0", Outcome::Rejected, 0},
        {u"000", Outcome::Rejected, 0},
        {u"0.0", Outcome::Rejected, 0},
        {u"-0", Outcome::Rejected, 0},
        {u"abc", Outcome::Rejected, 0},
        {u"abc12", Outcome::Rejected, 0},
        {u"1E-400", Outcome::Rejected, 0},
        {u"在此输要测的数字", Outcome::Rejected, 0},
        {u"在此输入QQ号码", Outcome::Rejected, 0},
        // Too small to round to a non-zero double is 0; anything above that is accepted.
        {u"2e-324", Outcome::Rejected, 0},
        {u"1107195241908731d-339", Outcome::Rejected, 0},
        {u"2.4703282292062328e-324", Outcome::Report, 80},
        {u"3e-324", Outcome::Report, 80},
        {u"1e-310", Outcome::Report, 80},
    };
    for (const Case &c : cases)
        check(c);
}

TEST(DeriveFortuneNumber, RefusesNumbersItCannotReduceToARow)
{
    const Case cases[] = {
        {u"-5", Outcome::Beyond, 0},       // negative remainder
        {u"-1234567", Outcome::Beyond, 0}, // -1234567 % 80 is -7
        {u"3E9", Outcome::Beyond, 0},      // outside the 32-bit range once rounded
        {u"-3E9", Outcome::Beyond, 0},
        {u"22E8", Outcome::Beyond, 0},
        {u"2147.5E6", Outcome::Beyond, 0}, // just above 2147483647
        {u"1E400", Outcome::Beyond, 0},    // beyond the double range, whole input
        {u"-1E400", Outcome::Beyond, 0},
        {u"5x1E999999", Outcome::Beyond, 0}, // ... or in the last eight characters
    };
    for (const Case &c : cases)
        check(c);
    // Just inside the 32-bit range, 2147483647 being too long for the eight characters read.
    check({u"21E8", Outcome::Report, 80});
    check({u"-21E8", Outcome::Report, 80});
    check({u"2147.4E6", Outcome::Report, 80}); // 2147400000 = 26842500 * 80
}

TEST(DeriveFortuneNumber, CountsEveryCodeUnitOfTheTail)
{
    // A surrogate pair is two characters of the eight: the tail starts inside the pair and
    // reads 0, where counting code points would have kept the leading 9.
    check({u"9\U0001F600"
           u"123456",
           Outcome::Report, 80});
    check({u"7\xD800", Outcome::Report, 7});
    std::u16string huge(1'000'000, u'a');
    huge.front() = u'1';
    check({huge, Outcome::Report, 80});
    huge.replace(huge.size() - 8, 8, u"12345678");
    check({huge, Outcome::Report, 78});
}
