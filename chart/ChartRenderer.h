#pragma once

// The rendering pass: turns both drawing lists into pixels on a canvas. The
// chart fills a TRenderParams for each pass (its plot map, colours, text
// font, grid, events); the renderer keeps only the state of one pass: the
// pen, brush and width last given to the canvas, the pen position and the
// open polyline. It draws in plot-area pixels: the canvas's origin lies on
// the plot area's top-left corner while it draws.

#include "chart/ChartDrawingList.h"
#include "chart/ChartItem.h"
#include "chart/MarkMap.h"
#include "chart/PlotMap.h"
#include "chart/TextLabel.h"
#include "chart/TickDivision.h"
#include "toolkit/Canvas.h"

#include <array>
#include <functional>
#include <span>

// Sender is the chart the lists belong to.
using TRenderEvent =
    std::function<void(TChartDrawingList& Sender, TCanvas& Canvas, int Top, int Left)>;
using TBeforeRenderCItemEvent = std::function<void(TChartDrawingList& Sender, TChartItem& ChartItem,
                                                   int Index, bool IsAnnotation)>;

struct TRenderParams {
    TPlotMap Map;
    TColor ChartColor = clWhite;
    TColor ChartFrameColor = clBlack;
    int LineWidth = 1;
    TFont TextFont;
    GridStyleType GridStyle = gsNone;
    TColor GridColor = clBlack;
    // Grid spacing in world values: > 0 that spacing, 0 a spacing chosen from
    // the range, < 0 the labelled ticks of layer 1's axis.
    double GridDx = 0;
    double GridDy = 0;
    TTickSettings GridTicksX;
    TTickSettings GridTicksY;
    bool AvoidDuplicateMarks = false;
    int MinDupMarkDist = 1;
    TRenderEvent OnBeforeRenderData;
    TRenderEvent OnDataRendered;
    TBeforeRenderCItemEvent OnBeforeRenderChartItem;
    // The chart's text labels, label 1 first; drawn after the lists, the
    // last one first, so that label 1 lies on top.
    std::span<const TTextLabel> TextLabels;
};

class TChartRenderer {
public:
    static constexpr int MaxPolyPoints = 200;

    // The rendering pass onto a canvas whose plot area's top-left corner lies
    // at (XOffset, YOffset). BlkWhite draws lines black and fills light;
    // the grid is drawn only when FirstItem is 0. The canvas gets its pen,
    // brush, font and origin back.
    void ConstructDataBmpCanvas(TCanvas& Canvas, const TRenderParams& Params,
                                TChartDrawingList& Lists, int XOffset, int YOffset, bool BlkWhite,
                                int FirstItem);

    // Draws one item in plot-area pixels (used by the pass; the state must
    // have been started).
    void DrawContainerItemOnCanvas(TCanvas& Canvas, const TChartItem& Item,
                                   const TLongTextArray& LongTexts, bool BlkWhite);
    void EnterPolyline(int x, int y, TCanvas& Canvas);
    void FinishPolyLine(TCanvas& Canvas);

    int NumPPa() const { return FNumPPa; }

private:
    // Which items of a list a run draws.
    enum class TTextFilter { Every, AllButTexts, TextsOnly };

    void StartState(TCanvas& Canvas);
    void RenderList(TCanvas& Canvas, TChartDrawingList& Lists, bool IsAnnotation, bool BlkWhite,
                    TTextFilter Filter);
    void DrawFrame(TCanvas& Canvas);
    void DrawTextLabels(TCanvas& Canvas);

    // Pen, style and brush set on the canvas only when they differ.
    void UsePen(TCanvas& Canvas, TColor color, TPenStyle style);
    void ContinuePolylineWith(TCanvas& Canvas, TColor pen, TPenStyle style, TColor fill);
    void UseBrush(TCanvas& Canvas, TColor color);
    // The fill of an area item: its colour, or none for a transparent item.
    void UseAreaBrush(TCanvas& Canvas, TColor color, bool transparent);

    // An item's points in plot-area pixels, each limited to +-30000 there.
    TPoint FirstPoint(const TChartItem& item) const;
    TPoint SecondPoint(const TChartItem& item) const;
    // A point of control pixels in plot-area pixels, limited to +-30000 there.
    TPoint InPlotArea(int x, int y) const;
    // Where a pen move or a polyline segment goes: limited to +-30000 in
    // control pixels, then moved into the plot area.
    TPoint PenTarget(const TChartItem& item) const;
    // The first point of an item at other coordinates, read as its first point is.
    TPoint PointAt(const TChartItem& item, double x, double y) const;
    // The current end of the pen: the open polyline's last point, or the pen position.
    TPoint PenEnd() const;

    // Painters of the kinds that need more than a call or two.
    void DrawMark(TCanvas& Canvas, const TChartItem& item, TPoint pt, TColor pen, bool blkWhite);
    void DrawMarkAt(TCanvas& Canvas, const TChartItem& item, TColor pen, bool blkWhite);
    void DrawErrorBar(TCanvas& Canvas, const TChartItem& item, TColor pen, bool blkWhite);
    void DrawText(TCanvas& Canvas, const TChartItem& item, const TLongTextArray& longTexts,
                  TColor pen, bool blkWhite);
    void DrawArrowHead(TCanvas& Canvas, TPoint from, TPoint tip, int size, bool filled);
    void DrawRectFrame(TCanvas& Canvas, const TChartItem& item, TPoint a, TPoint b, bool blkWhite);
    void Draw3DBar(TCanvas& Canvas, const TChartItem& item, TColor fill, bool blkWhite);
    void DrawArc(TCanvas& Canvas, const TChartItem& item);

    const TRenderParams* FParams = nullptr;
    TColor FLastPenCol = clBlack;
    TPenStyle FLastPenStyle = psSolid;
    TColor FLastBrushCol = clWhite;
    int FLastLWidth = 1;
    int FLastMoveToX = 0;
    int FLastMoveToY = 0;
    std::array<TPoint, MaxPolyPoints> FPPa{};
    int FNumPPa = 0;
    TMarkMap FMarkMap;
};
