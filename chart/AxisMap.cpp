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

// A scale's map from the pixel of the value it starts at (`first`) and the
// pixels to the value it ends at (`last`).
TAxisMap TAxisMap::FromStart(double first, double last, int firstPixel, int pixels, int extent,
                             bool logarithmic) {
    TAxisMap m;
    m.FLog = logarithmic;
    m.FScale = true;
    if (pixels <= 0) {
        m.FOffset = extent / 2.0;
        return m;
    }
    const double from = logarithmic ? std::log(first) : first;
    const double to = logarithmic ? std::log(last) : last;
    const double k = pixels / (to - from);
    m.FFactor = k;
    m.FOffset = firstPixel - k * from;
    return m;
}

TAxisMap TAxisMap::ScaleHorizontal(double Low, double High, int Left, int Right, int Width,
                                   bool Logarithmic) {
    return FromStart(Low, High, Left, Right - Left, Width, Logarithmic);
}

// A vertical scale starts at its top, at the high end of its range.
TAxisMap TAxisMap::ScaleVertical(double Low, double High, int Bottom, int Top, int Height,
                                 bool Logarithmic) {
    return FromStart(High, Low, Top, Bottom - Top, Height, Logarithmic);
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
