#pragma once

// The scale engine of one axis: from a range and a pixel extent it computes
// the value-to-pixel transform, chooses the ticks and draws ticks, labels,
// base line and caption onto a canvas. Inside a chart it is a helper that
// draws onto the chart's picture (UseForeignCanvas + ForcePaint); on its own
// it paints an opaque, framed picture onto its surface.

#include "chart/AxisMap.h"
#include "chart/DTLabel.h"
#include "chart/ScaleTypes.h"
#include "chart/TickDivision.h"
#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"

#include <QString>
#include <functional>
#include <vector>

class TScale {
public:
    // Most tick values kept from a drawing.
    static constexpr int MaxTickPos = 250;

    TScale();
    TScale(const TScale&) = delete;
    TScale& operator=(const TScale&) = delete;

    std::function<void(TScale*, TCanvas&, TScaleType, double, int, int)> OnScaleTickDrawn;
    std::function<void(TScale*, TScaleType, double, QString&)> OnBeforeTickLabel;
    std::function<void(TScale*, TCanvas&)> OnBeforeScaleRendered;
    std::function<void(TScale*, TCanvas&)> OnAfterScaleRendered;

    void ResetComp();
    // Loading from a description: no transform and no painting until Loaded.
    void BeginLoading() { FLoading = true; }
    void Loaded();

    // Geometry of the scale's own rectangle.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }

    TFrameStyle FrameStyle() const { return FFrameStyle; }
    TColor ColorScale() const { return FColorFG; }
    TColor ColorBackGnd() const { return FColorBG; }
    TColorScheme ColorScheme() const { return FColorScheme; }
    bool Logarithmic() const { return FAxLog; }
    double RangeLow() const { return FRangeLow; }
    double RangeHigh() const { return FRangeHigh; }
    bool ShortTicks() const { return FShortTicks; }
    int NumTicks() const { return static_cast<int>(FDrawnTicks.size()); }
    int MinTicks() const { return FNumTicks; }
    int DecPlaces() const { return FDecPlaces; }
    bool ShowBaseLine() const { return FDrawBaseLine; }
    bool Transparent() const { return FTransparent; }
    TFigType LabelType() const { return FLabelType; }
    const TDTLabel& DateFormat() const { return FDTFormat; }
    TDTLabel& DateFormat() { return FDTFormat; }
    int MarginTop() const { return FMarginTop; }
    int MarginBottom() const { return FMarginBottom; }
    int MarginLeft() const { return FMarginLeft; }
    int MarginRight() const { return FMarginRight; }
    bool IsHelper() const { return FIsHelper; }
    int CaptionPosX() const { return FLblPosX; }
    int CaptionPosY() const { return FLblPosY; }
    TAlignment CaptionAlignment() const { return FLblAlign; }
    TScaleUnitAnchor CaptionAnchor() const { return FLblAnchor; }
    const QString& UserTickText() const { return FUserTicktext; }
    const QString& ScaleInscript() const { return FScaleInscript; }
    const QString& Caption() const { return FUnitLabel; }
    TScaleType ScaleType() const { return FScaleType; }
    bool SuppressPaint() const { return FSuppressPaint; }
    bool Visible() const { return FVisible; }
    const TFont& Font() const { return FFont; }
    // The scale's own value-to-pixel map, along its direction in its own
    // rectangle (from its range and margins).
    const TAxisMap& Map() const { return FMap; }
    // What the scale's ticks are divided by.
    TTickSettings TickSettings() const;

    void SetFrameStyle(TFrameStyle v);
    void SetColorScale(TColor v);
    void SetColorBackGnd(TColor v);
    void SetColorScheme(TColorScheme v);
    void SetLogarithmic(bool v);
    void SetRangeLow(double v);
    void SetRangeHigh(double v);
    void SetRange(double low, double high);
    void SetShortTicks(bool v);
    void SetMinTicks(int v);
    void SetDecPlaces(int v);
    void SetShowBaseLine(bool v);
    void SetTransparent(bool v);
    void SetLabelType(TFigType v);
    void SetDateFormat(const TDTLabel& v);
    void SetMarginTop(int v);
    void SetMarginBottom(int v);
    void SetMarginLeft(int v);
    void SetMarginRight(int v);
    void SetIsHelper(bool v);
    void SetCaptionPosX(int v);
    void SetCaptionPosY(int v);
    void SetCaptionAlignment(TAlignment v);
    void SetCaptionAnchor(TScaleUnitAnchor v);
    void SetUserTickText(const QString& v);
    void SetScaleInscript(const QString& v);
    void SetCaption(const QString& v);
    void SetScaleType(TScaleType v);
    void SetSuppressPaint(bool v);
    void SetVisible(bool v);
    void SetFont(const TFont& v);

    // Draw onto that canvas at that offset from now on (not owned).
    void UseForeignCanvas(TCanvas* canvas, int x, int y);

    // Value to pixel along the scale, and back.
    int R2M(double value) const;
    int ConvertToPixelCoords(double value) const { return R2M(value); }
    double M2R(double pixel) const;
    double ConvertPixelToScale(double pixel) const { return M2R(pixel); }
    // The i-th tick value (from 1) of the last drawing; 0 outside 1..NumTicks.
    double GetTickPos(int i) const;

    void AdjustScalePars();
    void DrawXScale(TCanvas& canvas, int y);
    void DrawYScale(TCanvas& canvas, int x);
    void Paint();
    // Paints once even while SuppressPaint is set.
    void ForcePaint();
    // Paints at once; there is no deferred repaint without a window.
    void TriggerPaint() { Paint(); }

    // The stand-alone scale's own surface, painted when there is no foreign canvas.
    const TBitmap& Surface() const { return FSurface; }

private:
    void PaintOn(TCanvas& target, int offX, int offY);
    void DrawScale(TCanvas& canvas, int base, bool horizontal);
    void DrawTick(TCanvas& canvas, int pos, double v, int base, bool horizontal, bool labelled);
    void DrawLabel(TCanvas& canvas, int pos, int base, bool horizontal, int zeroHeight,
                   const QString& text);
    void DrawCaption(TCanvas& canvas, int base, bool horizontal);
    void DrawFrame(TCanvas& canvas);

    int FLeft = 0, FTop = 0, FWidth = 400, FHeight = 400;
    bool FVisible = true;
    bool FLoading = false;
    TFont FFont;

    // Set by ResetComp, which the constructor runs.
    TFrameStyle FFrameStyle{};
    TColor FColorFG{};
    TColor FColorBG{};
    TColor FColBlackLine{};
    TColor FColGrayLine{};
    TColor FColWhiteLine{};
    TColorScheme FColorScheme{};
    bool FAxLog{};
    TAxisMap FMap;
    double FRangeHigh{};
    double FRangeLow{};
    bool FShortTicks{};
    int FNumTicks{};
    int FDecPlaces{};
    bool FNotYetLoaded{};
    bool FDrawBaseLine{};
    bool FTransparent{};
    TFigType FLabelType{};
    TDTLabel FDTFormat;
    int FMarginTop{}, FMarginBottom{}, FMarginRight{}, FMarginLeft{};
    bool FIsHelper{};
    int FLblPosX{}, FLblPosY{};
    TAlignment FLblAlign{};
    TScaleUnitAnchor FLblAnchor{};
    QString FUserTicktext;
    QString FScaleInscript;
    QString FUnitLabel;
    TCanvas* FForeignCv = nullptr;
    int FForCvPosX{}, FForCvPosY{};
    TScaleType FScaleType{};
    bool FSuppressPaint{};

    // The values of the ticks of the last drawing (at most MaxTickPos).
    std::vector<double> FDrawnTicks;
    TBitmap FSurface;
    TBitmap FPicture;
};
