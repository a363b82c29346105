#include "analysis/verdict.h"

#include <string_view>

namespace analysis {
namespace {

struct Verdict {
    std::u16string_view ratingKey; // characters 2 and 3 of the row's first saying
    std::u16string_view text;
};

constexpr Verdict Verdicts[] = {
    {u"大吉", u"恭喜你！这个QQ号码太棒了，好好珍惜啊！"},
    {u"吉】", u"恭喜你！这个QQ号码不错，好好珍惜啊！"},
    {u"次吉", u"这个QQ号码挺好的。"},
    {u"半吉", u"这个QQ号一般般，不会对你产生不好的影响。"},
    {u"吉凶", u"这个QQ号有点不好啊，如果可以的话就换一个。"},
    {u"凶】", u"这个QQ号不太好拉，建议换一个！"},
};

} // namespace

std::u16string ChooseVerdict(const Module1 &data, int FortuneNumber)
{
    const std::u16string_view saying =
        data.NumerologyTable.at(static_cast<std::size_t>(FortuneNumber))[knowledge::SayingOne];
    const std::u16string_view head = saying.substr(0, 3);
    const std::u16string_view ratingKey = head.substr(head.size() < 2 ? 0 : head.size() - 2);
    for (const Verdict &verdict : Verdicts) {
        if (verdict.ratingKey == ratingKey)
            return std::u16string(verdict.text);
    }
    return {};
}

} // namespace analysis
