// The page's way into the analysis core. The page is the view of a run, as the window is: the
// run tells this view what to show, the view writes it down in order, and the page's script
// shows it step by step (it waits at a message until the user has closed it).
//
// Texts cross as UTF-16 code units with their lengths, so that any JavaScript string, a lone
// surrogate or a NUL included, reaches the core unchanged and comes back unchanged.

#include "analysis/run.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

namespace {

// What the view was told, one kind per step; the page knows the same numbers.
enum class Step : char16_t {
    Result = 1,    // the result box's whole text
    Input = 2,     // the input box's whole text
    Message = 3,   // a modal message, captioned with the program's name
    Verdict = 4,   // the judgement after a report: the verdict, then
    Appraisal = 5, // the appraisal; either may be empty
};

class PageView final : public analysis::AnalysisView {
public:
    std::u16string input;
    // Each step as its kind, its length in two units (high, low) and its text.
    std::u16string steps;

    std::u16string InputText() const override { return input; }
    void SetInputText(std::u16string_view text) override { add(Step::Input, text); }
    void SetResultText(std::u16string_view text) override { add(Step::Result, text); }
    void ShowMessage(std::u16string_view text) override { add(Step::Message, text); }
    void PresentJudgement(std::u16string_view verdict, std::u16string_view appraisal) override
    {
        add(Step::Verdict, verdict);
        add(Step::Appraisal, appraisal);
    }

private:
    void add(Step kind, std::u16string_view text)
    {
        const auto length = static_cast<std::uint32_t>(text.size());
        steps += static_cast<char16_t>(kind);
        steps += static_cast<char16_t>(length >> 16);
        steps += static_cast<char16_t>(length & 0xFFFF);
        steps += text;
    }
};

analysis::Module1 data;
PageView view;

} // namespace

extern "C" {

// Room for `length` units of text for the next call to write into.
EMSCRIPTEN_KEEPALIVE char16_t *shujian_text(std::uint32_t length)
{
    view.input.assign(length, u'\0');
    return view.input.data();
}

// Start-up: the table filled once, and the result box's first text, written into the room of
// shujian_text, kept as the introduction every run puts back.
EMSCRIPTEN_KEEPALIVE void shujian_load()
{
    knowledge::FillNumerologyTable(data.NumerologyTable, data.SayingThreeList);
    data.IntroText = view.input;
}

// One run on the text written into the room of shujian_text; gives the steps it took, whose
// length shujian_steps_length tells.
EMSCRIPTEN_KEEPALIVE const char16_t *shujian_run()
{
    view.steps.clear();
    analysis::RunAnalysis(data, view);
    return view.steps.data();
}

EMSCRIPTEN_KEEPALIVE std::uint32_t shujian_steps_length()
{
    return static_cast<std::uint32_t>(view.steps.size());
}

} // extern "C"
