#include "analysis/report.h"
#include "tests/module_support.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace analysis;
using namespace knowledge;

// The report of 10000, which reduces to 80, every character as the user reads it.
TEST(ComposeReport, WritesTheKnownReportOfTenThousand)
{
    Module1 data = FilledModule();
    ComposeReport(data, u"10000", 80);
    const std::u16string_view expected =
        u"你所测的数字是：10000\r\n"
        u"\r\n"
        u"这个数字的数理是：80\r\n"
        u"\r\n"
        u"根据古代先知的看法，其所包含了以下意义：\r\n"
        u"\r\n"
        u"说法一：\r\n"
        u"【凶】得来而失，多枉心机，亦是贫多难之象。\r\n"
        u"\r\n"
        u"说法二：\r\n"
        u"（遁吉）：凶星入度的消极缩小数。\r\n"
        u"\r\n"
        u"说法三：\r\n"
        u"一生困难辛，夭折者多，但早入隐遁的生活，可安心立命。\r\n"
        u"\r\n"
        u"对你各方面的具体影响如下：\r\n"
        u"\r\n"
        u"基业：\r\n"
        u"家庭：\r\n"
        u"健康：\r\n"
        u"含义：\r\n"
        u"\r\n"
        u"现代数理大师结合古人看法做了如下总结：\r\n"
        u"\r\n"
        u"观点一：\r\n"
        u"    劳而无得费心机，终生困苦与劳动，碍病难常不绝，修养善德小安康。\r\n"
        u"\r\n"
        u"观点二：\r\n"
        u"    一生艰难辛苦，如波浪之重叠不绝，终身多受挫折而致病弱，刑罚，孤独夭寿之凶兆，"
        u"若能及早修行善德，脱离凡俗而隐退者，尚可保小康之清福，则化凶为吉也\uE51D\r\n"
        u"\r\n"
        u"本软件由 澄谷 开发，娱乐之用，切勿迷信";
    EXPECT_EQ(Utf8(data.ReportText), Utf8(expected));
}

TEST(ComposeReport, EveryNumberGetsTheSameFrameAroundItsOwnRow)
{
    Module1 data = FilledModule();
    for (int n = 1; n <= MaxNumber; ++n) {
        SCOPED_TRACE("number " + std::to_string(n));
        ComposeReport(data, u" 12 ab ", n);
        const std::u16string &report = data.ReportText;
        const auto lines = SplitLines(report);
        ASSERT_EQ(lines.size(), 31u);
        // No stray CR or LF outside the CR LF pairs.
        std::size_t breaks = 0;
        for (char16_t c : report)
            breaks += (c == u'\r' || c == u'\n');
        EXPECT_EQ(breaks, 60u);
        EXPECT_EQ(lines[0], u"你所测的数字是： 12 ab ");
        EXPECT_EQ(lines[2], u"这个数字的数理是：" + Ascii16(std::to_string(n)));
        EXPECT_EQ(lines[7], data.NumerologyTable[n][SayingOne]);
        EXPECT_EQ(lines[13], data.SayingThreeList[n]);
        EXPECT_EQ(lines[20], u"含义：" + std::u16string(data.NumerologyTable[n][Meaning]));
        EXPECT_EQ(lines[28], u"    " + std::u16string(data.NumerologyTable[n][ViewTwo]));
        EXPECT_EQ(lines[30], u"本软件由 澄谷 开发，娱乐之用，切勿迷信");
        for (int blank : {1, 3, 5, 8, 11, 14, 16, 21, 23, 26, 29})
            EXPECT_TRUE(lines[blank].empty()) << "line " << blank + 1;
    }
}

TEST(ComposeReport, StartsAfreshEachTime)
{
    Module1 data = FilledModule();
    ComposeReport(data, u"12345678", 78);
    ComposeReport(data, u"88888", 8);
    EXPECT_EQ(SplitLines(data.ReportText).size(), 31u);
    EXPECT_EQ(SplitLines(data.ReportText)[0], u"你所测的数字是：88888");
}
