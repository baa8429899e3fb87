#include "chart/AxisMap.h"

#include "base/FloatOps.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double LogFloor = 1e-100;
}

TAxisMap TAxisMap::Horizontal(double Low, double High, int Left, int Right, int Width,
                              bool Logarithmic) {
    // A value up to 1e-100 lies on the edge the axis starts at.
    const int floor = High >= Low ? 0 : Width;
    return TAxisMap(Low, High, Left, Right, static_cast<long double>(Right) - Left, Width, floor,
                    Logarithmic);
}

TAxisMap TAxisMap::Vertical(double Low, double High, int Bottom, int Top, int Height,
                            bool Logarithmic) {
    const int floor = High >= Low ? Height : 0;
    return TAxisMap(Low, High, Bottom, Top, static_cast<long double>(Bottom) - Top, Height, floor,
                    Logarithmic);
}

TAxisMap TAxisMap::ScaleHorizontal(double Low, double High, int Left, int Right, int Width,
                                   bool Logarithmic) {
    TAxisMap m;
    m.FLog = Logarithmic;
    m.FScale = true;
    const int n = Right - Left;
    if (n <= 0) {
        m.FOffset = Width / 2.0;
        return m;
    }
    const double lo = Logarithmic ? std::log(Low) : Low;
    const double hi = Logarithmic ? std::log(High) : High;
    const double k = n / (hi - lo);
    m.FFactor = k;
    m.FOffset = Left - k * lo;
    return m;
}

TAxisMap TAxisMap::ScaleVertical(double Low, double High, int Bottom, int Top, int Height,
                                 bool Logarithmic) {
    TAxisMap m;
    m.FLog = Logarithmic;
    m.FScale = true;
    const int n = Bottom - Top;
    if (n <= 0) {
        m.FOffset = Height / 2.0;
        return m;
    }
    const double lo = Logarithmic ? std::log(Low) : Low;
    const double hi = Logarithmic ? std::log(High) : High;
    const double k = n / (lo - hi);
    m.FFactor = k;
    m.FOffset = Top - k * hi;
    return m;
}

// Span: the pixels between the ends, counted the way the axis runs.
TAxisMap::TAxisMap(double Low, double High, int PixelLow, int PixelHigh, long double Span,
                   int Extent, int FloorPixel, bool Logarithmic)
    : FLog(Logarithmic), FFloorPixel(FloorPixel) {
    if (Span <= 0) {
        FOffset = static_cast<long double>(Extent) / 2;
        return;
    }
    long double lo = Low;
    long double hi = High;
    if (FLog) {
        lo = std::log(lo);
        hi = std::log(hi);
    }
    FFactor = (static_cast<long double>(PixelHigh) - PixelLow) / (hi - lo);
    FOffset = (PixelLow * hi - PixelHigh * lo) / (hi - lo);
}

long double TAxisMap::ToPixelExact(double Value) const {
    if (FScale) {
        const double k = static_cast<double>(FFactor);
        const double d = static_cast<double>(FOffset);
        return FLog ? k * std::log(std::max(Value, LogFloor)) + d : k * Value + d;
    }
    if (!FLog)
        return FFactor * Value + FOffset;
    if (Value <= LogFloor)
        return FFloorPixel;
    return FFactor * std::log(static_cast<long double>(Value)) + FOffset;
}

double TAxisMap::ToValue(double Pixel) const {
    const double v = CheckedDiv(Pixel - static_cast<double>(FOffset), static_cast<double>(FFactor));
    return FLog ? std::exp(v) : v;
}
