#pragma once

// The rendering pass: turns both drawing lists into pixels on a canvas. The
// chart fills a TRenderParams for each pass (geometry, colours, transform
// coefficients, text font, grid, events); the renderer keeps only the state of
// one pass (last pen, brush, font colour and width given to the canvas, the pen
// position and the open polyline).

#include "chart/ChartDrawingList.h"
#include "chart/ChartItem.h"
#include "toolkit/Canvas.h"

#include <array>
#include <functional>
#include <vector>

// The world-to-pixel transform of one layer: control x = Cpkx * v + Cpdx,
// control y = Cpky * v + Cpdy, v being ln(value) on a logarithmic axis.
struct TLayerTransform {
    long double Cpkx = 0;
    long double Cpdx = 0;
    long double Cpky = 0;
    long double Cpdy = 0;
    bool LogX = false;
    bool LogY = false;
    bool XRangeRising = true; // RangeHigh >= RangeLow on the X axis
    bool YRangeRising = true;
};

// Sender is the chart the lists belong to.
using TRenderEvent =
    std::function<void(TChartDrawingList& Sender, TCanvas& Canvas, int Top, int Left)>;
using TBeforeRenderCItemEvent = std::function<void(TChartDrawingList& Sender, TChartItem& ChartItem,
                                                   int Index, bool IsAnnotation)>;

struct TRenderParams {
    // Control size and rims, as the chart has them.
    int Width = 0;
    int Height = 0;
    int LRim = 0;
    int RRim = 0;
    int TRim = 0;
    int BRim = 0;
    int ShadowWidth = 0;
    TColor ChartColor = clWhite;
    TColor ChartFrameColor = clBlack;
    int LineWidth = 1;
    // Index 0 is layer 1.
    std::array<TLayerTransform, 2> Layers{};
    TFont TextFont;
    GridStyleType GridStyle = gsNone;
    TColor GridColor = clBlack;
    double GridDx = 0; // <= 0: a spacing is chosen from the range
    double GridDy = 0;
    bool AvoidDuplicateMarks = false;
    int MinDupMarkDist = 1;
    TRenderEvent OnBeforeRenderData;
    TRenderEvent OnDataRendered;
    TBeforeRenderCItemEvent OnBeforeRenderChartItem;

    // Plot-area size in pixels (0 when the rims leave no room).
    int PlotWidth() const;
    int PlotHeight() const;
};

// World point of a layer (clamped to 1..2) to control pixels, limited to
// +-2147483647 and rounded half to even.
void R2M(const TRenderParams& p, int Layer, double xin, double yin, int& xout, int& yout);
// Control pixels to the world point of a layer; the inverse of R2M without its
// clamping. A collapsed axis (factor 0) raises the checked-division errors.
void M2R(const TRenderParams& p, int Layer, double xin, double yin, double& xout, double& yout);
void GetTransformParams(const TRenderParams& p, int Layer, double& kx, double& dx, double& ky,
                        double& dy);
// Both points of an item in control pixels, by the item's CoordMode.
void ConvertToScreenCoords(const TRenderParams& p, const TChartItem& Item, int& x1, int& y1,
                           int& x2, int& y2);
// Clamps a pixel position to -30000..30000 on both axes.
void LimitScreenCoords(int& x, int& y);

class TChartRenderer {
public:
    static constexpr int MaxPolyPoints = 200;

    // The rendering pass onto a canvas whose plot area's top-left corner lies
    // at (XOffset, YOffset). BlkWhite draws lines black and fills light;
    // the grid is drawn only when FirstItem is 0.
    void ConstructDataBmpCanvas(TCanvas& Canvas, const TRenderParams& Params,
                                TChartDrawingList& Lists, int XOffset, int YOffset, bool BlkWhite,
                                int FirstItem);

    // Draws one item (used by the pass; the state must have been started).
    void DrawContainerItemOnCanvas(TCanvas& Canvas, const TChartItem& Item, int Index,
                                   bool IsAnnotation, const TLongTextArray& LongTexts,
                                   bool BlkWhite, int XOffset, int YOffset);
    void EnterPolyline(int x, int y, TCanvas& Canvas);
    void FinishPolyLine(TCanvas& Canvas);

    // The pen position, in canvas pixels.
    int LastMoveToX() const { return FLastMoveToX; }
    int LastMoveToY() const { return FLastMoveToY; }
    int NumPPa() const { return FNumPPa; }

private:
    void StartState(TCanvas& Canvas, int XOffset, int YOffset);
    void RenderList(TCanvas& Canvas, TChartDrawingList& Lists, bool IsAnnotation, bool BlkWhite,
                    int XOffset, int YOffset, int TextFilter);
    void DrawGrid(TCanvas& Canvas, int XOffset, int YOffset);
    void DrawFrame(TCanvas& Canvas, int XOffset, int YOffset);

    // Pen, style and brush set on the canvas only when they differ.
    void UsePen(TCanvas& Canvas, TColor color, TPenStyle style);
    void ContinuePolylineWith(TCanvas& Canvas, TColor pen, TPenStyle style, TColor fill);
    void UseBrush(TCanvas& Canvas, TColor color);
    void UseFontColor(TCanvas& Canvas, TColor color);
    // Item points straight to canvas pixels (world through R2M, screen as
    // XOffset + x), limited to +-30000.
    TPoint FirstPoint(const TChartItem& item) const;
    TPoint SecondPoint(const TChartItem& item) const;
    TPoint WorldToCanvas(int layer, double x, double y) const;
    // The current end of the pen: the open polyline's last point, or the pen position.
    TPoint PenEnd() const;

    void DrawMark(TCanvas& Canvas, const TChartItem& item, TPoint pt, TColor pen, bool blkWhite);
    void DrawText(TCanvas& Canvas, const TChartItem& item, const TLongTextArray& longTexts,
                  TColor pen, bool blkWhite);
    void DrawArrowHead(TCanvas& Canvas, TPoint from, TPoint tip, int size, bool filled);
    void DrawRectFrame(TCanvas& Canvas, const TChartItem& item, TPoint a, TPoint b, bool blkWhite);

    const TRenderParams* FParams = nullptr;
    int FXOffset = 0;
    int FYOffset = 0;
    TColor FLastPenCol = clBlack;
    TPenStyle FLastPenStyle = psSolid;
    TColor FLastBrushCol = clWhite;
    TColor FLastFontCol = clBlack;
    int FLastLWidth = 1;
    int FLastMoveToX = 0;
    int FLastMoveToY = 0;
    std::array<TPoint, MaxPolyPoints> FPPa{};
    int FNumPPa = 0;
    // Mark pixel map for AvoidDuplicateMarks: the symbol that claimed each cell, -1 free.
    std::vector<int> FMarkMap;
    int FMarkMapWidth = 0;
    int FMarkMapHeight = 0;
};
