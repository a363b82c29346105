#include "analysis/appraisal.h"
#include "analysis/verdict.h"
#include "tests/module_support.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace analysis;

namespace {

struct Appraisal {
    std::u16string_view input;
    std::u16string_view expected;
};

} // namespace

TEST(AppraiseNumber, PricesTheKnownExamples)
{
    const Appraisal cases[] = {
        {u"88888", u"恭喜你，这个5位数的QQ至少值400元！\r\n"
                   u"这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"},
        {u"12345", u"恭喜你，这个5位数的QQ至少值400元！"},
        {u"112233", u"恭喜你，这个6位数的QQ至少值200元！\r\n"
                    u"这个QQ有2位数相同，精品，值200元！！！（可不可以给我啊）"},
        {u"12131", u"恭喜你，这个5位数的QQ至少值400元！\r\n"
                   u"这个QQ有3位数相同，绝对精品，值4000元！！！（可不可以给我啊）"},
        {u"10a00", u"恭喜你，这个5位数的QQ至少值400元！\r\n"
                   u"这个QQ有4位数相同，绝对精品，值6000元！！！（可不可以给我啊）"},
        {u"1212121", u"不错啊，现在7位数的QQ比较珍贵拉！"},
        {u"11112222", u"呵呵，8位数的QQ已经申请不到拉！"},
        {u"111112222", u"呵呵，9位数的QQ，这个网龄没有多久吧！\r\n"
                       u"这个QQ有5位数相同，精品，值50元！！！（可不可以给我啊）"},
        {u"111111111", u"呵呵，9位数的QQ，这个网龄没有多久吧！\r\n"
                       u"这个QQ有9位数相同，绝对精品，值8000元！！！（可不可以给我啊）"},
        {u"12345 ", u"恭喜你，这个6位数的QQ至少值200元！"},
        {u" 1234", u"恭喜你，这个5位数的QQ至少值400元！"},
        // Signs, letters, blanks and Chinese characters all count as the digit 0.
        {u"-+a 0", u"恭喜你，这个5位数的QQ至少值400元！\r\n"
                   u"这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"},
        {u"号码一二三", u"恭喜你，这个5位数的QQ至少值400元！\r\n"
                        u"这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"},
        {u"1234", u""},
        {u"", u""},
        {u"1234567890", u""},
    };
    for (const Appraisal &c : cases) {
        Module1 data;
        EXPECT_EQ(Utf8(AppraiseNumber(data, c.input)), Utf8(c.expected)) << Utf8(c.input);
    }
}

// The prices follow no formula, but a wrong entry shows: at every length the message comes from
// the least repeat count that earns one, and the more repeats, the higher the price, with 绝对精品
// kept once earned; for one repeat count the longer number is worth less.
TEST(AppraiseNumber, PricesRiseWithTheRepeatsAndFallWithTheLength)
{
    std::vector<int> shorterPrice(10, std::numeric_limits<int>::max()); // by repeat count
    for (std::size_t length = 5; length <= 9; ++length) {
        int lastPrice = 0;
        bool absolute = false;
        for (int repeats = 1; repeats <= int(length); ++repeats) {
            // The repeated 7s, then distinct other digits.
            std::u16string input(std::size_t(repeats), u'7');
            input += std::u16string(u"01234568").substr(0, length - std::size_t(repeats));
            SCOPED_TRACE(Utf8(input));
            Module1 data;
            const auto lines = SplitLines(AppraiseNumber(data, input));
            EXPECT_NE(Utf8(lines[0]).find(std::to_string(length) + "位数的QQ"), std::string::npos);
            ASSERT_EQ(lines.size(), repeats >= (length <= 6 ? 2 : 5) ? 2u : 1u);
            if (lines.size() == 1)
                continue;
            const std::string second = Utf8(lines[1]);
            EXPECT_TRUE(second.starts_with("这个QQ有" + std::to_string(repeats) + "位数相同，"));
            EXPECT_TRUE(second.ends_with("元！！！（可不可以给我啊）"));
            const int price = std::stoi(second.substr(second.find("值") + std::strlen("值")));
            EXPECT_GT(price, lastPrice);
            EXPECT_LT(price, shorterPrice[std::size_t(repeats)]);
            EXPECT_GE(second.find("绝对精品") != std::string::npos, absolute);
            absolute = second.find("绝对精品") != std::string::npos;
            lastPrice = shorterPrice[std::size_t(repeats)] = price;
        }
    }
}

TEST(ChooseVerdict, AdvisesByTheRatingOfTheRow)
{
    const Module1 data = FilledModule();
    constexpr std::u16string_view Best = u"恭喜你！这个QQ号码太棒了，好好珍惜啊！";
    constexpr std::u16string_view Worst = u"这个QQ号不太好拉，建议换一个！";
    const std::pair<int, std::u16string_view> cases[] = {
        // 【大吉】, 【凶】 and 【吉凶参半】
        {1, Best},
        {81, Best},
        {2, Worst},
        {80, Worst},
        {49, u"这个QQ号有点不好啊，如果可以的话就换一个。"},
    };
    for (auto [number, verdict] : cases)
        EXPECT_EQ(Utf8(ChooseVerdict(data, number)), Utf8(verdict)) << number;

    // Every row gets a sentence; rows of one rating share theirs, and the six ratings of the
    // table get six different ones.
    std::map<std::u16string, std::u16string> byRating;
    std::set<std::u16string> sentences;
    for (int number = 1; number <= knowledge::MaxNumber; ++number) {
        const std::u16string_view saying =
            data.NumerologyTable.at(std::size_t(number))[knowledge::SayingOne];
        const std::u16string rating(saying.substr(0, saying.find(u'】') + 1));
        const std::u16string verdict = ChooseVerdict(data, number);
        EXPECT_FALSE(verdict.empty()) << number;
        EXPECT_EQ(Utf8(byRating.emplace(rating, verdict).first->second), Utf8(verdict)) << number;
        sentences.insert(verdict);
    }
    EXPECT_EQ(byRating.size(), 6u);
    EXPECT_EQ(sentences.size(), 6u);
}

// The key is the second and third characters compared whole, never searched for in the text.
TEST(ChooseVerdict, ComparesTheWholeKeyOfTwoCharacters)
{
    Module1 data;
    auto verdictOf = [&data](std::u16string_view saying) {
        data.NumerologyTable[5][knowledge::SayingOne] = saying;
        return ChooseVerdict(data, 5);
    };
    for (std::u16string_view holdsJi : {u"【大吉】", u"【次吉】", u"【半吉】"})
        EXPECT_NE(verdictOf(holdsJi), verdictOf(u"【吉】")) << Utf8(holdsJi);
    EXPECT_NE(verdictOf(u"【吉凶参半】"), verdictOf(u"【凶】"));
    // Only those two characters count.
    EXPECT_EQ(verdictOf(u"【次吉】吉】"), verdictOf(u"【次吉】"));
    EXPECT_EQ(verdictOf(u"【吉凶参半】凶】"), verdictOf(u"【吉凶参半】"));
    EXPECT_EQ(Utf8(verdictOf(u"【平】吉】")), "");
}
