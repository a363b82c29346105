#pragma once

#include "analysis/module1.h"

#include <string_view>

namespace analysis {

// Builds the 31-line report of FortuneNumber (1..81) for the typed input in data.ReportText:
// lines joined by CR LF, no break after the last line, cells and input inserted untrimmed.
void ComposeReport(Module1 &data, std::u16string_view input, int FortuneNumber);

} // namespace analysis
