#include "analysis/report.h"

#include <initializer_list>
#include <string>

namespace analysis {
namespace {

// More than the headings and any one row's texts take, so that the report is built in one buffer.
constexpr std::size_t FrameAndRowRoom = 1024;

} // namespace

void ComposeReport(Module1 &data, std::u16string_view input, int FortuneNumber)
{
    using namespace knowledge;
    const Row &row = data.NumerologyTable.at(static_cast<std::size_t>(FortuneNumber));
    const std::u16string number = [FortuneNumber] {
        std::u16string digits;
        for (char c : std::to_string(FortuneNumber))
            digits += static_cast<char16_t>(c);
        return digits;
    }();

    std::u16string &report = data.ReportText;
    report.clear();
    report.reserve(input.size() + FrameAndRowRoom);
    bool first = true;
    // Each argument list is one line of the report, its pieces in order.
    auto line = [&](std::initializer_list<std::u16string_view> pieces) {
        if (!first)
            report += u"\r\n";
        first = false;
        for (std::u16string_view piece : pieces)
            report += piece;
    };

    line({u"你所测的数字是：", input});
    line({});
    line({u"这个数字的数理是：", number});
    line({});
    line({u"根据古代先知的看法，其所包含了以下意义："});
    line({});
    line({u"说法一："});
    line({row[SayingOne]});
    line({});
    line({u"说法二："});
    line({row[SayingTwo]});
    line({});
    line({u"说法三："});
    line({data.SayingThreeList.at(static_cast<std::size_t>(FortuneNumber))});
    line({});
    line({u"对你各方面的具体影响如下："});
    line({});
    line({u"基业：", row[Career]});
    line({u"家庭：", row[Family]});
    line({u"健康：", row[Health]});
    line({u"含义：", row[Meaning]});
    line({});
    line({u"现代数理大师结合古人看法做了如下总结："});
    line({});
    line({u"观点一："});
    line({u"    ", row[ViewOne]});
    line({});
    line({u"观点二："});
    line({u"    ", row[ViewTwo]});
    line({});
    line({u"本软件由 澄谷 开发，娱乐之用，切勿迷信"});
}

} // namespace analysis
