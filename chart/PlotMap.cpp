#include "chart/PlotMap.h"

#include <algorithm>

int TPlotGeometry::PlotWidth() const {
    return std::max(0, Width - LRim - RRim - ShadowWidth + 1);
}

int TPlotGeometry::PlotHeight() const {
    return std::max(0, Height - TRim - BRim - ShadowWidth + 1);
}

TAxisMap TPlotMap::XAxis(double Low, double High, bool Logarithmic) const {
    return TAxisMap::Horizontal(Low, High, FGeometry.LRim, FGeometry.PlotRight(), FGeometry.Width,
                                Logarithmic);
}

TAxisMap TPlotMap::YAxis(double Low, double High, bool Logarithmic) const {
    return TAxisMap::Vertical(Low, High, FGeometry.PlotBottom(), FGeometry.TRim, FGeometry.Height,
                              Logarithmic);
}

std::size_t TPlotMap::Index(int Layer) {
    return static_cast<std::size_t>(std::clamp(Layer, 1, 2) - 1);
}

const TLayerMap& TPlotMap::Layer(int Layer) const {
    return FLayers[Index(Layer)];
}

void TPlotMap::SetLayerX(int Layer, const TAxisMap& Map) {
    FLayers[Index(Layer)].X = Map;
}

void TPlotMap::SetLayerY(int Layer, const TAxisMap& Map) {
    FLayers[Index(Layer)].Y = Map;
}

void TPlotMap::R2M(int Layer, double xin, double yin, int& xout, int& yout) const {
    const TLayerMap& m = this->Layer(Layer);
    xout = m.X.ToPixel(xin);
    yout = m.Y.ToPixel(yin);
}

void TPlotMap::M2R(int Layer, double xin, double yin, double& xout, double& yout) const {
    const TLayerMap& m = this->Layer(Layer);
    xout = m.X.ToValue(xin);
    yout = m.Y.ToValue(yin);
}

void TPlotMap::GetTransformParams(int Layer, double& kx, double& dx, double& ky, double& dy) const {
    const TLayerMap& m = this->Layer(Layer);
    kx = static_cast<double>(m.X.Factor());
    dx = static_cast<double>(m.X.Offset());
    ky = static_cast<double>(m.Y.Factor());
    dy = static_cast<double>(m.Y.Offset());
}

void TPlotMap::ConvertToScreenCoords(const TChartItem& Item, int& x1, int& y1, int& x2,
                                     int& y2) const {
    const TScreenParts s = ScreenPartsOf(Item.CoordMode);
    R2M(Item.Layer, Item.x, Item.y, x1, y1);
    R2M(Item.Layer, Item.x2, Item.y2, x2, y2);
    const auto screen = [](int rim, double v) {
        return ClampRound(static_cast<long double>(rim) + v);
    };
    if (s.x1)
        x1 = screen(FGeometry.LRim, Item.x);
    if (s.y1)
        y1 = screen(FGeometry.TRim, Item.y);
    if (s.x2)
        x2 = screen(FGeometry.LRim, Item.x2);
    if (s.y2)
        y2 = screen(FGeometry.TRim, Item.y2);
}

TScreenParts ScreenPartsOf(TCoordMode Mode) {
    switch (Mode) {
    case cmAllWorld:
        return {false, false, false, false};
    case cmAllScreen:
        return {true, true, true, true};
    case cmWorldMainScreenSec:
        return {false, false, true, true};
    case cmScreenMainWorldSec:
        return {true, true, false, false};
    case cmXScreenYWorld:
        return {true, false, true, false};
    case cmXWorldYScreen:
        return {false, true, false, true};
    }
    return {false, false, false, false};
}

TCoordMode FirstPointMode(TCoordMode Mode) {
    const TScreenParts s = ScreenPartsOf(Mode);
    if (s.x1 && s.y1)
        return cmAllScreen;
    if (s.x1)
        return cmXScreenYWorld;
    if (s.y1)
        return cmXWorldYScreen;
    return cmAllWorld;
}
