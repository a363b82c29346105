#pragma once

// How a run flows. The window hands RunAnalysis the program-wide data (Module1) and itself as
// an AnalysisView. The run puts the introduction back into the result box, then reduces the
// typed text to FortuneNumber (DeriveFortuneNumber, which reads it with LeadingNumber). A text
// that leads with no number, or with 0, is rejected with a message box and a prompt in the input
// box; one that cannot be reduced to a row is refused with a message of its own. Otherwise
// ComposeReport builds the 31-line report from the table row, the result box shows it with a
// closing full stop, and the appraisal (AppraiseNumber) and the verdict (ChooseVerdict) are
// handed to the view to present beside it.

#include "analysis/fortune.h"
#include "analysis/module1.h"

#include <string>
#include <string_view>

namespace analysis {

inline constexpr std::u16string_view RejectionMessage =
    u"抱歉，本软件无该数字（不是数字吧）的信息！";
inline constexpr std::u16string_view BeyondMessage = u"抱歉，这个数字超出了本软件的测算范围！";
inline constexpr std::u16string_view RejectionPrompt = u"在此输入QQ号码";

// What a run needs of the window.
class AnalysisView {
public:
    virtual std::u16string InputText() const = 0;
    virtual void SetInputText(std::u16string_view text) = 0;
    virtual void SetResultText(std::u16string_view text) = 0;
    // Shows a modal message with one OK button, captioned with the program's name, and returns
    // once the user has closed it.
    virtual void ShowMessage(std::u16string_view text) = 0;
    // Presents the verdict and the appraisal after a report; either may be empty.
    virtual void PresentJudgement(std::u16string_view verdict, std::u16string_view appraisal) = 0;

protected:
    ~AnalysisView() = default;
};

// One run on the text of the view's input box; returns what became of it.
Derivation RunAnalysis(Module1 &data, AnalysisView &view);

} // namespace analysis
