// Picking items: where an item is drawn, and the chart's nearest-item
// searches and window marks over it.

#include "chart/ChartPicking.h"

#include "chart/PlotChart.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Infinite = std::numeric_limits<double>::infinity();

TPoint Shifted(TPoint p, long long dx, long long dy) {
    return {ClampRound(static_cast<long double>(p.x) + dx),
            ClampRound(static_cast<long double>(p.y) + dy)};
}

// Distance from v to the interval between a and b (in any order).
double Gap(double v, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    return v < lo ? lo - v : v > hi ? v - hi : 0.0;
}

} // namespace

TItemShape ItemShape(const TChartItem& Item, const TPlotMap& Map) {
    int x1, y1, x2, y2;
    Map.ConvertToScreenCoords(Item, x1, y1, x2, y2);
    const TPoint a{x1, y1};
    const TPoint b{x2, y2};
    const TPlotGeometry& g = Map.Geometry();
    switch (Item.ItemKind) {
    case tkNone:
    case tkEverything:
    case tkNotMoveTo:
    case tkMoveRelPix:
    case tkLineRelPix:
        return {};
    case tkTextOfs:
        return {TItemShape::Point, Shifted(a, ClampRound(Item.x2), ClampRound(Item.y2)), {}};
    case tkLine:
    case tkArrow:
    case tkDoubleArrow:
        return {TItemShape::Segment, a, b};
    case tkLineOffs:
        return {TItemShape::Segment, Shifted(a, Item.Param1, Item.Param2),
                Shifted(b, Item.Param1, Item.Param2)};
    case tkLineRelPixOrig:
        return {TItemShape::Segment, a, Shifted(a, Item.Param1, Item.Param2)};
    case tkCursorVert:
        return {TItemShape::Segment, {a.x, g.TRim}, {a.x, g.PlotBottom()}};
    case tkCursorHoriz:
        return {TItemShape::Segment, {g.LRim, a.y}, {g.PlotRight(), a.y}};
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
        return {TItemShape::Box, a, b};
    case tkRectRelPix:
        return {
            TItemShape::Box,
            Shifted(a, -static_cast<long long>(Item.Param1), -static_cast<long long>(Item.Param2)),
            Shifted(a, Item.Param1, Item.Param2)};
    default:
        return {TItemShape::Point, a, {}};
    }
}

double TItemShape::DistanceTo(double x, double y) const {
    switch (Kind) {
    case None:
        return Infinite;
    case Point:
        return std::hypot(x - A.x, y - A.y);
    case Box:
        return std::hypot(Gap(x, A.x, B.x), Gap(y, A.y, B.y));
    case Segment: {
        const double dx = static_cast<double>(B.x) - A.x;
        const double dy = static_cast<double>(B.y) - A.y;
        const double len2 = dx * dx + dy * dy;
        const double t =
            len2 == 0 ? 0.0 : std::clamp(((x - A.x) * dx + (y - A.y) * dy) / len2, 0.0, 1.0);
        return std::hypot(x - (A.x + t * dx), y - (A.y + t * dy));
    }
    }
    return Infinite;
}

double TItemShape::DistanceAlong(bool AlongX, double v) const {
    if (Kind == None)
        return Infinite;
    const int a = AlongX ? A.x : A.y;
    const int b = Kind == Point ? a : AlongX ? B.x : B.y;
    return Gap(v, a, b);
}

bool TItemShape::Inside(int x1, int y1, int x2, int y2) const {
    if (Kind == None)
        return false;
    const auto in = [&](TPoint p) { return Gap(p.x, x1, x2) == 0 && Gap(p.y, y1, y2) == 0; };
    return in(A) && (Kind == Point || in(B));
}

// --- the chart's searches ----------------------------------------------------------

bool TCustomPlotChart::ItemShown(const TChartItem& Item, bool IsAnnotation) const {
    const bool classShown = IsAnnotation ? AnnosVisible() && AnnoClassVisible(Item.ItemClass)
                                         : ClassVisible(Item.ItemClass);
    return classShown && LayerVisible(Item.Layer);
}

int TCustomPlotChart::NearestItem(bool IsAnnotation, int ItemClass, TChartItemKind ItemKind,
                                  const std::function<double(const TItemShape&)>& Distance,
                                  double& Dist) const {
    const std::span<const TChartItem> items = IsAnnotation ? AnnoItems() : DataItems();
    int best = -1;
    Dist = Infinite;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TChartItem& item = items[i];
        if (!ClassMatches(ItemClass, item.ItemClass) || !KindMatches(ItemKind, item.ItemKind) ||
            !ItemShown(item, IsAnnotation))
            continue;
        // The first of equally near items wins.
        const double d = Distance(ItemShape(item, FPlotMap));
        if (d < Dist) {
            Dist = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int TCustomPlotChart::FindNearestItemScreen(int X, int Y, int ItemClass, TChartItemKind ItemKind,
                                            double& Dist) const {
    return NearestItem(
        false, ItemClass, ItemKind, [&](const TItemShape& s) { return s.DistanceTo(X, Y); }, Dist);
}

int TCustomPlotChart::FindNearestItemReal(int Layer, double X, double Y, int ItemClass,
                                          TChartItemKind ItemKind, double& Dist) const {
    int px, py;
    R2M(Layer, X, Y, px, py);
    return FindNearestItemScreen(px, py, ItemClass, ItemKind, Dist);
}

int TCustomPlotChart::FindNearestItemAlongAxis(int Layer, bool AlongX, double Value, int ItemClass,
                                               TChartItemKind ItemKind, double& Dist) const {
    int px, py;
    R2M(Layer, Value, Value, px, py);
    const int v = AlongX ? px : py;
    return NearestItem(
        false, ItemClass, ItemKind, [&](const TItemShape& s) { return s.DistanceAlong(AlongX, v); },
        Dist);
}

int TCustomPlotChart::FindNearestAnnoElem(int X, int Y, int ItemClass, TChartItemKind ItemKind,
                                          double& Dist) const {
    return NearestItem(
        true, ItemClass, ItemKind, [&](const TItemShape& s) { return s.DistanceTo(X, Y); }, Dist);
}

int TCustomPlotChart::MarkItemsInWindow(int Layer, double XLow, double YLow, double XHigh,
                                        double YHigh, int MarkMask, bool Mark, int ItemClass,
                                        TChartItemKind ItemKind) {
    int x1, y1, x2, y2;
    R2M(Layer, XLow, YLow, x1, y1);
    R2M(Layer, XHigh, YHigh, x2, y2);
    int n = 0;
    for (TChartItem& item : DataListRef().InUse())
        if (ClassMatches(ItemClass, item.ItemClass) && KindMatches(ItemKind, item.ItemKind) &&
            ItemShown(item, false) && ItemShape(item, FPlotMap).Inside(x1, y1, x2, y2)) {
            SetMarkBits(item, MarkMask, Mark);
            ++n;
        }
    return n;
}
