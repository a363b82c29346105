// Feeds arbitrary UTF-16 text (the input bytes read as little-endian code units) through the
// whole analysis core and checks what must hold for every input, not just that nothing crashes.

#include "analysis/appraisal.h"
#include "analysis/leading_number.h"
#include "analysis/run.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace analysis;

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

const Module1 &filledModule()
{
    static const Module1 data = [] {
        Module1 m = FilledModule();
        m.IntroText = u"intro";
        return m;
    }();
    return data;
}

std::size_t count(std::u16string_view text, std::u16string_view part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::u16string_view::npos;
         at = text.find(part, at + part.size()))
        ++n;
    return n;
}

class RecordingView : public AnalysisView {
public:
    std::u16string input, result;
    int messages = 0, judgements = 0;
    std::u16string verdict, appraisal;

    std::u16string InputText() const override { return input; }
    void SetInputText(std::u16string_view text) override { input = text; }
    void SetResultText(std::u16string_view text) override { result = text; }
    void ShowMessage(std::u16string_view) override { ++messages; }
    void PresentJudgement(std::u16string_view v, std::u16string_view a) override
    {
        ++judgements;
        verdict = v;
        appraisal = a;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    std::u16string input(size / 2, u'\0');
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));

    const double whole = LeadingNumber(input);
    const Derivation d = DeriveFortuneNumber(input);
    require(d.outcome == Outcome::Report || d.outcome == Outcome::Rejected
                || d.outcome == Outcome::Beyond,
            "one of three outcomes");
    require((d.outcome == Outcome::Rejected) == (whole == 0), "rejected exactly when it reads 0");
    require((d.outcome == Outcome::Report) == (d.FortuneNumber >= 1 && d.FortuneNumber <= 81),
            "a report and only a report has a number from 1 to 81");
    if (d.outcome == Outcome::Report && whole == 81)
        require(d.FortuneNumber == 81, "81 stays 81");

    Module1 data = filledModule();
    const std::u16string appraisal = AppraiseNumber(data, input);
    require(appraisal.empty() == (input.size() < 5 || input.size() > 9),
            "priced exactly at lengths 5 to 9");
    if (!appraisal.empty()) {
        require(appraisal.find(char16_t(u'0' + input.size())) != std::u16string::npos,
                "the appraisal names the length");
        require(count(appraisal, u"\r\n") <= 1, "at most two appraisal lines");
    }

    RecordingView view;
    view.input = input;
    const Derivation run = RunAnalysis(data, view);
    require(run.outcome == d.outcome && run.FortuneNumber == d.FortuneNumber,
            "the run derives the same number");
    require(view.messages == (d.outcome == Outcome::Report ? 0 : 1), "one message per refusal");
    if (d.outcome == Outcome::Report) {
        const std::u16string &report = data.ReportText;
        const std::u16string head = u"你所测的数字是：" + input + u"\r\n";
        require(report.starts_with(head), "the report opens with the input as typed");
        require(count(std::u16string_view(report).substr(head.size()), u"\r\n") == 29,
                "30 lines after the input");
        require(report.ends_with(u"本软件由 澄谷 开发，娱乐之用，切勿迷信"), "the closing line");
        require(view.result == report + u"。", "the shown text carries the full stop");
        require(view.judgements == 1 && !view.verdict.empty(), "every report gets a verdict");
        require(view.appraisal == appraisal, "the same appraisal");
        require(view.input == input, "an accepted input stays");
    } else {
        require(data.ReportText.empty() && view.result == u"intro", "no report after a refusal");
        require(view.judgements == 0, "no judgement after a refusal");
        require((view.input == input) == (d.outcome == Outcome::Beyond || input == RejectionPrompt),
                "only a rejection replaces the input");
    }
    return 0;
}
