#pragma once

// The value-to-pixel map of one axis: value Low lies on pixel PixelLow and
// High on PixelHigh, linearly or on a natural-logarithm scale, along an
// extent of Extent pixels. A small value type, built once per paint and
// handed to whoever converts: the scales, the rendering pass, the grid, the
// background band, the crosshairs.

#include "chart/Rounding.h"

class TAxisMap {
public:
    // Maps every value to pixel 0.
    TAxisMap() = default;
    // A horizontal axis: Low on column Left, High on column Right, within a
    // width of Width columns. A vertical axis: Low on row Bottom, High on row
    // Top (larger values higher up), within Height rows. Without a pixel
    // between the two ends (Right <= Left, Bottom <= Top) every value maps to
    // the middle of the width or height. A logarithmic map needs positive
    // ends (LogRangeValid).
    static TAxisMap Horizontal(double Low, double High, int Left, int Right, int Width,
                               bool Logarithmic);
    static TAxisMap Vertical(double Low, double High, int Bottom, int Top, int Height,
                             bool Logarithmic);
    // The same for a scale's own ticks, computed as scales always have: in
    // double precision, the offset taken from the pixel of the range's start
    // (Left, or Top on a vertical scale), and no edge for values up to 1e-100
    // of a logarithmic map (they are taken as 1e-100). Where a tick falls
    // exactly between two pixels the two ways may round apart.
    static TAxisMap ScaleHorizontal(double Low, double High, int Left, int Right, int Width,
                                    bool Logarithmic);
    static TAxisMap ScaleVertical(double Low, double High, int Bottom, int Top, int Height,
                                  bool Logarithmic);

    // Whether a logarithmic axis can run from Low to High.
    static bool LogRangeValid(double Low, double High) { return Low > 0 && High > 0; }

    // The pixel of a value, unrounded. On a logarithmic map values up to
    // 1e-100 lie on the edge of the extent where the axis starts.
    long double ToPixelExact(double Value) const;
    // The same, limited to the 32-bit range and rounded half to even.
    int ToPixel(double Value) const { return ClampRound(ToPixelExact(Value)); }
    // The value of a pixel, the inverse of ToPixelExact; a collapsed map
    // raises the checked-division errors.
    double ToValue(double Pixel) const;

    // pixel = Factor * v + Offset, v being ln(value) on a logarithmic map.
    long double Factor() const { return FFactor; }
    long double Offset() const { return FOffset; }
    bool Logarithmic() const { return FLog; }
    // No pixel between the ends: everything lies in the middle.
    bool Collapsed() const { return FFactor == 0; }

    friend bool operator==(const TAxisMap&, const TAxisMap&) = default;

private:
    static TAxisMap FromStart(double first, double last, int firstPixel, int pixels, int extent,
                              bool logarithmic);
    TAxisMap(double Low, double High, int PixelLow, int PixelHigh, long double Span, int Extent,
             int FloorPixel, bool Logarithmic);

    long double FFactor = 0;
    long double FOffset = 0;
    bool FLog = false;
    // A scale's map: double-precision arithmetic, no edge for tiny values.
    bool FScale = false;
    // Where values up to 1e-100 of a logarithmic map lie.
    int FFloorPixel = 0;
};
