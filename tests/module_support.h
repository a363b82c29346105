#pragma once

#include "analysis/module1.h"

#include <string>
#include <string_view>
#include <vector>

// Splits composed text at CR LF, the only line break it may hold.
inline std::vector<std::u16string> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(u"\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::u16string_view::npos)
            return lines;
        start = end + 2;
    }
}
