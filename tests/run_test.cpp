#include "analysis/run.h"
#include "tests/module_support.h"
#include "tests/text_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace analysis;

namespace {

constexpr std::u16string_view Intro = u"    本软件根据八十一数理制作！\r\n";

// Records what a run does to the window, in order.
class FakeView : public AnalysisView {
public:
    std::u16string input;
    std::u16string result = u"typed by the user";
    std::vector<std::string> log;
    std::u16string verdict, appraisal;

    std::u16string InputText() const override { return input; }
    void SetInputText(std::u16string_view text) override
    {
        input = text;
        log.push_back("input: " + Utf8(text));
    }
    void SetResultText(std::u16string_view text) override
    {
        result = text;
        log.push_back(text == Intro ? "result: intro" : "result: report");
    }
    void ShowMessage(std::u16string_view text) override { log.push_back("message: " + Utf8(text)); }
    void PresentJudgement(std::u16string_view v, std::u16string_view a) override
    {
        verdict = v;
        appraisal = a;
        log.push_back("judgement");
    }
};

class RunAnalysisTest : public ::testing::Test {
protected:
    RunAnalysisTest() { data.IntroText = Intro; }
    Derivation run(std::u16string_view typed)
    {
        view.input = typed;
        view.log.clear();
        return RunAnalysis(data, view);
    }
    Module1 data = FilledModule();
    FakeView view;
};

} // namespace

TEST_F(RunAnalysisTest, ShowsTheReportThenHandsOverVerdictAndAppraisal)
{
    const Derivation d = run(u"13812345678");
    EXPECT_EQ(d.outcome, Outcome::Report);
    EXPECT_EQ(d.FortuneNumber, 78);
    EXPECT_EQ(view.log, (std::vector<std::string>{"result: intro", "result: report", "judgement"}));
    // The shown text is the report with one closing full stop; the kept report has none.
    EXPECT_EQ(view.result, data.ReportText + u"。");
    EXPECT_TRUE(data.ReportText.ends_with(u"本软件由 澄谷 开发，娱乐之用，切勿迷信"));
    EXPECT_EQ(view.input, u"13812345678");
    EXPECT_EQ(Utf8(view.verdict), "这个QQ号不太好拉，建议换一个！");
    EXPECT_EQ(view.appraisal, u""); // eleven characters are not priced
}

TEST_F(RunAnalysisTest, HandsOverTheAppraisalOfAQqNumber)
{
    run(u"88888");
    EXPECT_EQ(SplitLines(view.result)[2], u"这个数字的数理是：8");
    EXPECT_EQ(Utf8(view.appraisal),
              "恭喜你，这个5位数的QQ至少值400元！\r\n"
              "这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）");
    EXPECT_EQ(Utf8(view.verdict), "恭喜你！这个QQ号码不错，好好珍惜啊！"); // 8 is 【吉】
}

TEST_F(RunAnalysisTest, RejectsWithTheMessageThenThePrompt)
{
    run(u"12345678");
    const Derivation d = run(u"在此输要测的数字");
    EXPECT_EQ(d.outcome, Outcome::Rejected);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"result: intro",
                                        "message: 抱歉，本软件无该数字（不是数字吧）的信息！",
                                        "input: 在此输入QQ号码"}));
    EXPECT_EQ(view.result, Intro);
    EXPECT_TRUE(data.ReportText.empty());
    // The prompt itself is rejected again.
    EXPECT_EQ(run(view.input).outcome, Outcome::Rejected);
    EXPECT_EQ(view.input, u"在此输入QQ号码");
}

TEST_F(RunAnalysisTest, RefusesUnreducibleNumbersAndKeepsTheTextForCorrection)
{
    for (std::u16string_view typed : {u"-5", u"3E9", u"1E400"}) {
        run(u"12345678");
        const Derivation d = run(typed);
        EXPECT_EQ(d.outcome, Outcome::Beyond) << Utf8(typed);
        EXPECT_EQ(view.log,
                  (std::vector<std::string>{"result: intro",
                                            "message: 抱歉，这个数字超出了本软件的测算范围！"}));
        EXPECT_EQ(view.input, typed);
        EXPECT_EQ(view.result, Intro);
        EXPECT_TRUE(data.ReportText.empty());
    }
}

TEST_F(RunAnalysisTest, ASecondRunReplacesTheFirstWhole)
{
    run(u"12345678");
    run(u"81");
    const auto lines = SplitLines(view.result);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[0], u"你所测的数字是：81");
    EXPECT_EQ(lines[2], u"这个数字的数理是：81");
    EXPECT_EQ(lines[30], u"本软件由 澄谷 开发，娱乐之用，切勿迷信。");
    EXPECT_EQ(Utf8(view.verdict), "恭喜你！这个QQ号码太棒了，好好珍惜啊！");
}
