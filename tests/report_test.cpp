#include "analysis/report.h"
#include "tests/module_support.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace analysis;
using namespace knowledge;

namespace {

// The report of row 1, whose texts are all fixed, every character as the user reads it.
constexpr std::u16string_view ReportOfOne =
    u"你所测的数字是： 161 x\r\n"
    u"\r\n"
    u"这个数字的数理是：1\r\n"
    u"\r\n"
    u"根据古代先知的看法，其所包含了以下意义：\r\n"
    u"\r\n"
    u"说法一：\r\n"
    u"【大吉】繁荣发达，信用得固，万人仰望成功之大吉象。\r\n"
    u"\r\n"
    u"说法二：\r\n"
    u"（宇宙起源）：天地宇宙开泰的太极数。\r\n"
    u"\r\n"
    u"说法三：\r\n"
    u"万物开泰起源数，为最大吉祥的暗示，但常人恐不当。\r\n"
    u"\r\n"
    u"对你各方面的具体影响如下：\r\n"
    u"\r\n"
    u"基业：聪明，多学、成功、富贵、名誉、幸福、财帛、进田。\r\n"
    u"家庭：竹木成林、父母有荫、家庭圆满、子妇多孝。\r\n"
    u"健康：健全、可望长寿，三才不善者不遇。\r\n"
    u"含义：此为万事万物的基本数、为最大吉祥的表示， "
    u"属于分外大成功，健康富贵名誉幸福，可以享福终世。但恐因其过好，常人难以承当此数。\r\n"
    u"\r\n"
    u"现代数理大师结合古人看法做了如下总结：\r\n"
    u"\r\n"
    u"观点一：\r\n"
    u"    天地开泰万事成，身体健康亦富荣，否泰名誉兼享福，一生无忧乐绵长。\r\n"
    u"\r\n"
    u"观点二：\r\n"
    u"    天地开端，万物创始乃中与之袒....等灵意之象，有始收，富贵，长寿，乃为大吉祥之数，"
    u"但宜静不宜动，静可得良机，如旭日东升，以温和步骤，可获大成功，健康，荣华，名誉，"
    u"终身享福之命运也\uE51D\r\n"
    u"\r\n"
    u"本软件由 澄谷 开发，娱乐之用，切勿迷信";

} // namespace

TEST(ComposeReport, WritesTheKnownReportOfRowOne)
{
    Module1 data = FilledModule();
    ComposeReport(data, u" 161 x", 1);
    EXPECT_EQ(Utf8(data.ReportText), Utf8(ReportOfOne));
}

// Every number's report is row 1's form, each of row 1's texts replaced by the number's own;
// one report after another, so that what one leaves behind shows in the next.
TEST(ComposeReport, EveryNumberFillsTheSameFormWithItsOwnRow)
{
    Module1 data = FilledModule();
    auto textsOf = [&data](int n) {
        std::vector<std::u16string> texts{u"这个数字的数理是：" + Ascii16(std::to_string(n)),
                                          std::u16string(data.SayingThreeList[n])};
        for (std::u16string_view cell : data.NumerologyTable[n])
            texts.emplace_back(cell);
        return texts;
    };
    const std::vector<std::u16string> ofOne = textsOf(1);
    for (int n = 1; n <= MaxNumber; ++n) {
        const std::vector<std::u16string> own = textsOf(n);
        std::u16string expected;
        for (std::u16string line : SplitLines(ReportOfOne)) {
            for (std::size_t i = 0; i < ofOne.size(); ++i) {
                if (line.ends_with(ofOne[i])) {
                    line.replace(line.size() - ofOne[i].size(), ofOne[i].size(), own[i]);
                    break;
                }
            }
            expected += (expected.empty() ? u"" : u"\r\n") + line;
        }
        ComposeReport(data, u" 161 x", n);
        EXPECT_EQ(Utf8(data.ReportText), Utf8(expected)) << "number " << n;
    }
}
