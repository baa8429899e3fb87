#pragma once

// The scale engine of one axis: from a range and a pixel extent it computes
// the value-to-pixel transform, chooses the ticks and draws ticks, labels,
// base line and caption onto a canvas. Inside a chart it is a helper that
// draws onto the chart's picture (UseForeignCanvas + ForcePaint); on its own
// it paints an opaque, framed picture onto its surface.

#include "chart/DTLabel.h"
#include "chart/ScaleTypes.h"
#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"

#include <QString>
#include <array>
#include <functional>

class TScale {
public:
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
    int NumTicks() const { return FTickCount; }
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
    double Transf_k() const { return FTransf_k; }
    double Transf_d() const { return FTransf_d; }

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
    void DrawScale(TCanvas& canvas, int base, bool horizontal);
    bool DrawLinear(TCanvas& canvas, int base, bool horizontal);
    bool DrawLog(TCanvas& canvas, int base, bool horizontal);
    bool DrawTime(TCanvas& canvas, int base, bool horizontal);
    bool DrawDateTime(TCanvas& canvas, int base, bool horizontal);
    void DrawTick(TCanvas& canvas, double v, int base, bool horizontal, bool labelled);
    void DrawLabel(TCanvas& canvas, double v, int base, bool horizontal, QString text);
    void DrawCaption(TCanvas& canvas, int base, bool horizontal);
    void DrawFrame(TCanvas& canvas);
    void PaintOn(TCanvas& target, int offX, int offY);
    QString FinishLabel(double v, QString text);

    int FLeft = 0, FTop = 0, FWidth = 400, FHeight = 400;
    bool FVisible = true;
    bool FLoading = false;
    TFont FFont;

    TFrameStyle FFrameStyle = fsLowered;
    TColor FColorFG = clBlack;
    TColor FColorBG = clBtnFace;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = RGBColor(128, 128, 128);
    TColor FColWhiteLine = clWhite;
    TColorScheme FColorScheme = csBWG;
    bool FAxLog = false;
    double FTransf_k = 1.0;
    double FTransf_d = 0.0;
    double FRangeHigh = 100.0;
    double FRangeLow = 0.0;
    bool FShortTicks = true;
    int FTickCount = 0;
    int FNumTicks = 3;
    int FDecPlaces = -2;
    bool FNotYetLoaded = true;
    bool FDrawBaseLine = true;
    bool FTransparent = false;
    TFigType FLabelType = ftNum;
    TDTLabel FDTFormat;
    int FMarginTop = 20, FMarginBottom = 20, FMarginRight = 20, FMarginLeft = 20;
    bool FIsHelper = false;
    int FLblPosX = 4, FLblPosY = 4;
    TAlignment FLblAlign = taCenter;
    TScaleUnitAnchor FLblAnchor = uaSclTopLft;
    QString FUserTicktext;
    QString FScaleInscript;
    std::array<double, MaxTickPos> FScaleTickPos{};
    QString FUnitLabel;
    TCanvas* FForeignCv = nullptr;
    int FForCvPosX = 0, FForCvPosY = 0;
    TScaleType FScaleType = sctXB;
    bool FSuppressPaint = true;

    // Per drawing: label decimals, labelled-tick counter, height of "0",
    // the last date shown.
    int FLabelDecimals = 0;
    int FLabelCount = 0;
    int FZeroHeight = 0;
    long long FLastDay = 0;
    bool FDateShown = false;
    TBitmap FSurface;
    TBitmap FPicture;
};
