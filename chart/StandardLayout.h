#pragma once

// The five standard layouts: rims, chart caption placement and, for each of
// the four axes, location, caption placement, offset and visibility.

#include "chart/ChartTypes.h"
#include "toolkit/Graphics.h"

#include <array>
#include <cstdint>

enum TChartLayout : std::uint8_t {
    lay_X1Bottom_Y1Left,
    lay_X1Bottom_Y2Left,
    lay_X1Bottom_Y2Both,
    lay_X2Bottom_Y2Left,
    lay_X2Both_Y2Both
};

constexpr int NumChartLayouts = 5;

// One axis in a layout. Location is the axis's location value (slTop = 0,
// slBottom = 1 for X axes; slLeft = 0, slRight = 1 for Y axes), Anchor the
// caption anchor (uaSclTopLft = 0, uaSclCenter = 1), kept as plain numbers so
// that this table does not depend on the axis classes.
struct TLayoutAxis {
    std::uint8_t Location;
    int CaptionPosX;
    int CaptionPosY;
    TAlignment CaptionAlignment;
    std::uint8_t CaptionAnchor;
    int ScalePos;
    bool Visible;
};

struct TLayoutTable {
    int BRim;
    int TRim;
    int LRim;
    int RRim;
    int CaptionPosX;
    int CaptionPosY;
    TAlignment CaptionAlignment;
    TCaptionAnchorHoriz CaptionAnchorHoriz;
    TCaptionAnchorVert CaptionAnchorVert;
    // Scale1X, Scale2X, Scale1Y, Scale2Y.
    std::array<TLayoutAxis, 4> Axes;
};

// The table row of Layout (out-of-range values give the first layout).
const TLayoutTable& ChartLayoutTable(TChartLayout Layout);
