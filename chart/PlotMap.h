#pragma once

// Where a chart's values land on its pixels, for one paint: the control's
// size and rims, and for each of the two layers the maps of its X and Y axes.
// The chart builds it when its geometry or ranges change (AdjustScaling) and
// hands it to the scales, the rendering pass, the grid, the background band
// and the crosshairs. R2M, M2R and ConvertToScreenCoords are the
// conversions; everything else converts through them.

#include "chart/AxisMap.h"
#include "chart/ChartItem.h"
#include "toolkit/Graphics.h"

#include <array>

// The control's size and rims; the plot area lies inside them.
struct TPlotGeometry {
    int Width = 0;
    int Height = 0;
    int LRim = 0;
    int RRim = 0;
    int TRim = 0;
    int BRim = 0;
    int ShadowWidth = 0;

    // The plot area's last column and last row (both belong to it).
    int PlotRight() const { return Width - RRim - ShadowWidth; }
    int PlotBottom() const { return Height - BRim - ShadowWidth; }
    // Its size in pixels (0 when the rims leave no room).
    int PlotWidth() const;
    int PlotHeight() const;

    friend bool operator==(const TPlotGeometry&, const TPlotGeometry&) = default;
};

struct TLayerMap {
    TAxisMap X;
    TAxisMap Y;
    friend bool operator==(const TLayerMap&, const TLayerMap&) = default;
};

class TPlotMap {
public:
    TPlotMap() = default;
    // Both layers mapping everything to pixel 0 until they are set.
    explicit TPlotMap(const TPlotGeometry& Geometry) : FGeometry(Geometry) {}

    const TPlotGeometry& Geometry() const { return FGeometry; }
    // A new geometry; the layers' maps stay until they are set anew.
    void SetGeometry(const TPlotGeometry& Geometry) { FGeometry = Geometry; }

    // The maps of an axis over this geometry: an X axis from the plot area's
    // left column to its right one, a Y axis from its bottom row to its top.
    TAxisMap XAxis(double Low, double High, bool Logarithmic) const;
    TAxisMap YAxis(double Low, double High, bool Logarithmic) const;

    // The maps of a layer (clamped to 1..2).
    const TLayerMap& Layer(int Layer) const;
    void SetLayerX(int Layer, const TAxisMap& Map);
    void SetLayerY(int Layer, const TAxisMap& Map);

    // World point of a layer (clamped to 1..2) to control pixels, limited to
    // +-2147483647 and rounded half to even.
    void R2M(int Layer, double xin, double yin, int& xout, int& yout) const;
    // Control pixels to the world point of a layer; the inverse of R2M
    // without its clamping. A collapsed axis raises the checked-division errors.
    void M2R(int Layer, double xin, double yin, double& xout, double& yout) const;
    void GetTransformParams(int Layer, double& kx, double& dx, double& ky, double& dy) const;
    // Both points of an item in control pixels, by the item's CoordMode: world
    // parts through R2M, screen parts (pixels from the plot area's corner) as
    // round(LRim + x) and round(TRim + y).
    void ConvertToScreenCoords(const TChartItem& Item, int& x1, int& y1, int& x2, int& y2) const;

private:
    static std::size_t Index(int Layer);

    TPlotGeometry FGeometry;
    std::array<TLayerMap, 2> FLayers{};
};

// Which parts of an item's points are screen values, by coordinate mode.
struct TScreenParts {
    bool x1, y1, x2, y2;
};
TScreenParts ScreenPartsOf(TCoordMode Mode);
// The mode in which both points are read as the first point of `Mode` is.
TCoordMode FirstPointMode(TCoordMode Mode);
