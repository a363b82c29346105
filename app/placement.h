#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Where the window goes, in twips: centred across, with one fifth of the free height above it so
// that it sits high on the screen, where the eye lands first.
struct Placement {
    int left;
    int top;
};

inline int roundToInt32(float value)
{
    // Half to even, as the default rounding mode does; real screens never come near the limits.
    const double rounded = std::nearbyint(static_cast<double>(value));
    const double low = std::numeric_limits<std::int32_t>::min();
    const double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(rounded < low ? low : rounded > high ? high : rounded);
}

inline Placement PlaceForm(float screenWidth, float formWidth, float screenHeight, float formHeight)
{
    return {roundToInt32(screenWidth - formWidth) / 2, roundToInt32(screenHeight - formHeight) / 5};
}
