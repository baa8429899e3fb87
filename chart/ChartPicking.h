#pragma once

// Where an item is drawn, for picking it with the mouse: a point, a segment
// or a box in control pixels (through ConvertToScreenCoords), or nowhere for
// the kinds that only move by pixels from the pen (tkMoveRelPix,
// tkLineRelPix), which have no place of their own.
//
//   point    tkMoveTo, tkLineto, tkMarkAt, tkMarkEBar, tkText, tkEllipse and
//            tkArc (their centre); tkTextOfs shifted by its pixel offset
//   segment  tkLine, tkArrow, tkDoubleArrow; tkLineOffs shifted by its pixel
//            offset; tkLineRelPixOrig from its point to the pixel offset; the
//            cursors across the plot area
//   box      tkRect, tkRectFrame, tk3DBar (its front), tkRectRelPix

#include "chart/ChartItem.h"
#include "chart/PlotMap.h"

struct TItemShape {
    enum TKind : std::uint8_t { None, Point, Segment, Box };
    TKind Kind = None;
    // Point: A. Segment: A to B. Box: corners A and B, both inside.
    TPoint A;
    TPoint B;

    // Distance in pixels from (x, y) to the nearest pixel of the shape
    // (0 on it or inside a box); infinite for None.
    double DistanceTo(double x, double y) const;
    // Distance along one axis only: from column x (AlongX) or row y to the
    // shape's extent on that axis; infinite for None.
    double DistanceAlong(bool AlongX, double v) const;
    // Whether the whole shape lies inside the box from (x1, y1) to (x2, y2),
    // both ends included, in any order; false for None.
    bool Inside(int x1, int y1, int x2, int y2) const;
};

TItemShape ItemShape(const TChartItem& Item, const TPlotMap& Map);
