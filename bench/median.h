#pragma once

#include <algorithm>
#include <vector>

// The median of per-iteration samples: on a noisy machine it moves less than the mean.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}
