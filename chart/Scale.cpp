#include "chart/Scale.h"

#include <algorithm>
#include <cmath>

// The scale's properties, their corrections and its value-to-pixel map; the
// drawing is in ScaleDraw.cpp.

namespace {
constexpr double LogFloor = 1e-100;
} // namespace

TScale::TScale() {
    FDTFormat.OnChange = [this](TDTLabel*) { TriggerPaint(); };
    ResetComp();
}

void TScale::ResetComp() {
    FFrameStyle = fsLowered;
    FColorFG = clBlack;
    FColorBG = clBtnFace;
    FColBlackLine = clBlack;
    FColGrayLine = RGBColor(128, 128, 128);
    FColWhiteLine = clWhite;
    FColorScheme = csBWG;
    FAxLog = false;
    FRangeHigh = 100.0;
    FRangeLow = 0.0;
    FShortTicks = true;
    FDrawnTicks.clear();
    FNumTicks = 3;
    FDecPlaces = -2;
    FNotYetLoaded = true;
    FDrawBaseLine = true;
    FTransparent = false;
    FLabelType = ftNum;
    FDTFormat = TDTLabel();
    FMarginTop = FMarginBottom = FMarginRight = FMarginLeft = 20;
    FIsHelper = false;
    FLblPosX = FLblPosY = 4;
    FLblAlign = taCenter;
    FLblAnchor = uaSclTopLft;
    FUserTicktext.clear();
    FScaleInscript.clear();
    FUnitLabel.clear();
    FForeignCv = nullptr;
    FForCvPosX = FForCvPosY = 0;
    FScaleType = sctXB;
    FSuppressPaint = true;
    AdjustScalePars();
}

void TScale::Loaded() {
    FLoading = false;
    AdjustScalePars();
    FNotYetLoaded = false;
    TriggerPaint();
}

void TScale::SetBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    AdjustScalePars();
    TriggerPaint();
}

// ---- setters ----

void TScale::SetFrameStyle(TFrameStyle v) {
    if (v == FFrameStyle)
        return;
    FFrameStyle = v;
    TriggerPaint();
}
void TScale::SetColorScale(TColor v) {
    if (v == FColorFG)
        return;
    FColorFG = v;
    TriggerPaint();
}
void TScale::SetColorBackGnd(TColor v) {
    if (v == FColorBG)
        return;
    FColorBG = v;
    TriggerPaint();
}
void TScale::SetShortTicks(bool v) {
    if (v == FShortTicks)
        return;
    FShortTicks = v;
    TriggerPaint();
}
void TScale::SetIsHelper(bool v) {
    if (v == FIsHelper)
        return;
    FIsHelper = v;
    TriggerPaint();
}

void TScale::SetColorScheme(TColorScheme v) {
    FColorScheme = v;
    if (v == csBWG) {
        FColGrayLine = RGBColor(128, 128, 128);
        FColWhiteLine = clWhite;
    } else {
        FColGrayLine = clBtnShadow;
        FColWhiteLine = clBtnHighlight;
    }
    TriggerPaint();
}

void TScale::SetLogarithmic(bool v) {
    if (!v || FNotYetLoaded ||
        (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime))
        FAxLog = v;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRangeLow(double v) {
    FRangeLow = v;
    if (v == FRangeHigh)
        FRangeHigh = v + 1;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRangeHigh(double v) {
    FRangeHigh = v;
    if (v == FRangeLow)
        FRangeLow = v + 1;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRange(double low, double high) {
    FRangeLow = low;
    FRangeHigh = high == low ? low + 1 : high;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetMinTicks(int v) {
    FNumTicks = v == 0 ? 0 : std::clamp(v, 2, 10);
    TriggerPaint();
}

void TScale::SetDecPlaces(int v) {
    FDecPlaces = std::clamp(v, -3, 12);
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetShowBaseLine(bool v) {
    FDrawBaseLine = v;
    TriggerPaint();
}
void TScale::SetTransparent(bool v) {
    FTransparent = v;
    TriggerPaint();
}

void TScale::SetLabelType(TFigType v) {
    FLabelType = v;
    if (v == ftDateTime)
        FAxLog = false;
    if (v == ftTime)
        FDecPlaces = 4;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& v) {
    FDTFormat.Assign(v);
}

void TScale::SetMarginTop(int v) {
    FMarginTop = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginBottom(int v) {
    FMarginBottom = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginLeft(int v) {
    FMarginLeft = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginRight(int v) {
    FMarginRight = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetCaptionPosX(int v) {
    FLblPosX = v;
    TriggerPaint();
}
void TScale::SetCaptionPosY(int v) {
    FLblPosY = v;
    TriggerPaint();
}
void TScale::SetCaptionAlignment(TAlignment v) {
    FLblAlign = v;
    TriggerPaint();
}
void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
    FLblAnchor = v;
    TriggerPaint();
}
void TScale::SetUserTickText(const QString& v) {
    FUserTicktext = v;
    TriggerPaint();
}
void TScale::SetScaleInscript(const QString& v) {
    FScaleInscript = v;
    TriggerPaint();
}
void TScale::SetCaption(const QString& v) {
    FUnitLabel = v;
    TriggerPaint();
}

void TScale::SetScaleType(TScaleType v) {
    if (v != FScaleType) {
        FScaleType = v;
        AdjustScalePars();
    }
    TriggerPaint();
}

void TScale::SetSuppressPaint(bool v) {
    FSuppressPaint = v;
    if (!v)
        Paint();
}

void TScale::SetVisible(bool v) {
    FVisible = v;
    TriggerPaint();
}
void TScale::SetFont(const TFont& v) {
    FFont = v;
    TriggerPaint();
}

void TScale::UseForeignCanvas(TCanvas* canvas, int x, int y) {
    FForeignCv = canvas;
    FForCvPosX = x;
    FForCvPosY = y;
}

// ---- transform ----

void TScale::AdjustScalePars() {
    if (FLoading || FRangeHigh == FRangeLow)
        return;
    const bool horizontal = IsHorizontal(FScaleType);
    const int room = horizontal ? FWidth - FMarginLeft - FMarginRight - 1
                                : FHeight - FMarginTop - FMarginBottom - 1;
    // A logarithmic axis cannot reach a bound <= 0: the previous map stays.
    if (room > 0 && FAxLog && !TAxisMap::LogRangeValid(FRangeLow, FRangeHigh))
        return;
    FMap = horizontal ? TAxisMap::ScaleHorizontal(FRangeLow, FRangeHigh, FMarginLeft,
                                                  FWidth - FMarginRight - 1, FWidth, FAxLog)
                      : TAxisMap::ScaleVertical(FRangeLow, FRangeHigh, FHeight - FMarginBottom - 1,
                                                FMarginTop, FHeight, FAxLog);
}

int TScale::R2M(double value) const {
    return FMap.ToPixel(value);
}

double TScale::M2R(double pixel) const {
    if (FMap.Collapsed())
        return (FRangeLow + FRangeHigh) / 2;
    return FMap.ToValue(pixel);
}

double TScale::GetTickPos(int i) const {
    if (i < 1 || i > NumTicks())
        return 0;
    return FDrawnTicks[static_cast<std::size_t>(i - 1)];
}

TTickSettings TScale::TickSettings() const {
    TTickSettings s;
    s.RangeLow = FRangeLow;
    s.RangeHigh = FRangeHigh;
    s.Logarithmic = FAxLog;
    s.LabelType = FLabelType;
    s.MinTicks = FNumTicks;
    s.ShortTicks = FShortTicks;
    s.DecPlaces = FDecPlaces;
    s.DateFormat = FDTFormat;
    s.UserTickText = FUserTicktext;
    s.ScaleInscript = FScaleInscript;
    return s;
}
