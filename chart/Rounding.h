#pragma once

// How the chart turns fractional values into pixels: rounding half to even
// (the platform's rounding), and the limits every pixel coordinate is held to.

#include <algorithm>
#include <cmath>

// The nearest integer, of two equally near the even one.
inline double RoundHalfEven(double v) {
    return std::nearbyint(v);
}

// A pixel coordinate: limited to the 32-bit range, then rounded half to even;
// NaN gives 0.
inline int ClampRound(long double v) {
    if (std::isnan(v))
        return 0;
    v = std::clamp(v, -2147483647.0L, 2147483647.0L);
    return static_cast<int>(std::nearbyintl(v));
}

// The drawing surface accepts coordinates up to this far out.
constexpr int ScreenLimit = 30000;

inline int LimitScreenCoord(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -ScreenLimit, ScreenLimit));
}

// Clamps a pixel position to -30000..30000 on both axes.
inline void LimitScreenCoords(int& x, int& y) {
    x = LimitScreenCoord(x);
    y = LimitScreenCoord(y);
}
