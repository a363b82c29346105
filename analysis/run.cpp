#include "analysis/run.h"

#include "analysis/appraisal.h"
#include "analysis/report.h"
#include "analysis/verdict.h"

namespace analysis {

Derivation RunAnalysis(Module1 &data, AnalysisView &view)
{
    data.ReportText.clear();
    view.SetResultText(data.IntroText);

    const std::u16string input = view.InputText();
    const Derivation derivation = DeriveFortuneNumber(input);
    switch (derivation.outcome) {
    case Outcome::Rejected:
        view.ShowMessage(RejectionMessage);
        view.SetInputText(RejectionPrompt);
        return derivation;
    case Outcome::Beyond:
        // The user's text stays so that it can be corrected.
        view.ShowMessage(BeyondMessage);
        return derivation;
    case Outcome::Report: break;
    }

    ComposeReport(data, input, derivation.FortuneNumber);
    std::u16string shown;
    shown.reserve(data.ReportText.size() + 1);
    shown += data.ReportText;
    shown += u'。';
    view.SetResultText(shown);

    const std::u16string appraisal = AppraiseNumber(data, input);
    const std::u16string verdict = ChooseVerdict(data, derivation.FortuneNumber);
    view.PresentJudgement(verdict, appraisal);
    return derivation;
}

} // namespace analysis
