#include "analysis/appraisal.h"

#include "analysis/leading_number.h"

#include <algorithm>

namespace analysis {
namespace {

constexpr std::size_t ShortestPriced = 5;
constexpr std::size_t LongestPriced = 9;

// Indexed by length.
constexpr std::u16string_view OpeningMessages[LongestPriced + 1] = {
    {},
    {},
    {},
    {},
    {},
    u"恭喜你，这个5位数的QQ至少值400元！",
    u"恭喜你，这个6位数的QQ至少值200元！",
    u"不错啊，现在7位数的QQ比较珍贵拉！",
    u"呵呵，8位数的QQ已经申请不到拉！",
    u"呵呵，9位数的QQ，这个网龄没有多久吧！",
};

struct RepeatMessage {
    std::size_t length;
    int repeatCount;
    std::u16string_view text;
};

// The prices follow no formula; pairs not listed earn no second message.
constexpr RepeatMessage RepeatMessages[] = {
    {5, 2, u"这个QQ有2位数相同，精品，值2000元！！！（可不可以给我啊）"},
    {5, 3, u"这个QQ有3位数相同，绝对精品，值4000元！！！（可不可以给我啊）"},
    {5, 4, u"这个QQ有4位数相同，绝对精品，值6000元！！！（可不可以给我啊）"},
    {5, 5, u"这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"},
    {6, 2, u"这个QQ有2位数相同，精品，值200元！！！（可不可以给我啊）"},
    {6, 3, u"这个QQ有3位数相同，精品，值400元！！！（可不可以给我啊）"},
    {6, 4, u"这个QQ有4位数相同，绝对精品，值600元！！！（可不可以给我啊）"},
    {6, 5, u"这个QQ有5位数相同，绝对精品，值1000元！！！（可不可以给我啊）"},
    {6, 6, u"这个QQ有6位数相同，绝对精品，值5000元！！！（可不可以给我啊）"},
    {7, 5, u"这个QQ有5位数相同，精品，值200元！！！（可不可以给我啊）"},
    {7, 6, u"这个QQ有6位数相同，绝对精品，值1000元！！！（可不可以给我啊）"},
    {7, 7, u"这个QQ有7位数相同，绝对精品，值3000元！！！（可不可以给我啊）"},
    {8, 5, u"这个QQ有5位数相同，精品，值100元！！！（可不可以给我啊）"},
    {8, 6, u"这个QQ有6位数相同，精品，值500元！！！（可不可以给我啊）"},
    {8, 7, u"这个QQ有7位数相同，绝对精品，值2000元！！！（可不可以给我啊）"},
    {8, 8, u"这个QQ有8位数相同，绝对精品，值5000元！！！（可不可以给我啊）"},
    {9, 5, u"这个QQ有5位数相同，精品，值50元！！！（可不可以给我啊）"},
    {9, 6, u"这个QQ有6位数相同，精品，值200元！！！（可不可以给我啊）"},
    {9, 7, u"这个QQ有7位数相同，精品，值1000元！！！（可不可以给我啊）"},
    {9, 8, u"这个QQ有8位数相同，绝对精品，值3000元！！！（可不可以给我啊）"},
    {9, 9, u"这个QQ有9位数相同，绝对精品，值8000元！！！（可不可以给我啊）"},
};

} // namespace

std::u16string AppraiseNumber(Module1 &data, std::u16string_view input)
{
    const std::size_t length = input.size();
    if (length < ShortestPriced || length > LongestPriced)
        return {};
    std::u16string appraisal(OpeningMessages[length]);

    auto &digits = data.DigitList;
    for (std::size_t i = 1; i <= length; ++i)
        digits[i] = LeadingNumber(input.substr(i - 1, 1));
    int repeatCount = 0;
    for (std::size_t i = 1; i <= length; ++i) {
        const auto same = std::count(digits.begin() + 1, digits.begin() + 1 + length, digits[i]);
        repeatCount = std::max(repeatCount, static_cast<int>(same));
    }

    for (const RepeatMessage &message : RepeatMessages) {
        if (message.length == length && message.repeatCount == repeatCount) {
            appraisal += u"\r\n";
            appraisal += message.text;
        }
    }
    return appraisal;
}

} // namespace analysis
