#include "chart/ChartGrid.h"

#include "base/Exception.h"

namespace {

// The values of the grid lines along one axis over lo..hi.
std::vector<double> LineValues(double lo, double hi, double spacing, const TTickSettings& ticks,
                               bool logarithmic) {
    if (spacing >= 0)
        return GridValues(lo, hi, spacing, logarithmic);
    // Following the ticks: a line at each labelled tick.
    std::vector<double> values;
    for (const TTick& tick : DivideAxis(ticks))
        if (tick.Labelled)
            values.push_back(tick.Value);
    return values;
}

} // namespace

void DrawGrid(TCanvas& Canvas, const TRenderParams& Params) {
    const TPlotMap& map = Params.Map;
    const TPlotGeometry& g = map.Geometry();
    const TLayerMap& layer = map.Layer(1);
    const int pw = g.PlotWidth();
    const int ph = g.PlotHeight();
    if (pw <= 0 || ph <= 0 || layer.X.Collapsed() || layer.Y.Collapsed())
        return;
    double xlo, ylo, xhi, yhi;
    try {
        map.M2R(1, g.LRim, g.TRim + ph - 1, xlo, ylo);
        map.M2R(1, g.LRim + pw - 1, g.TRim, xhi, yhi);
    } catch (const EMathError&) {
        // An axis of a NaN or infinite range has no values at its pixels: no grid.
        return;
    }
    const GridStyleType style = Params.GridStyle;
    const bool vert = style == gsVertLines || style == gsLines || style == gsVertDotLines ||
                      style == gsDotLines || style == gsPoints;
    const bool horiz = style == gsHorizLines || style == gsLines || style == gsHorizDotLines ||
                       style == gsDotLines || style == gsPoints;
    const bool dotted = style == gsHorizDotLines || style == gsVertDotLines || style == gsDotLines;
    std::vector<int> cols, rows;
    if (vert)
        for (double v :
             LineValues(xlo, xhi, Params.GridDx, Params.GridTicksX, layer.X.Logarithmic()))
            cols.push_back(layer.X.ToPixel(v) - g.LRim);
    if (horiz)
        for (double v :
             LineValues(ylo, yhi, Params.GridDy, Params.GridTicksY, layer.Y.Logarithmic()))
            rows.push_back(layer.Y.ToPixel(v) - g.TRim);
    Canvas.Pen.Color = Params.GridColor;
    Canvas.Pen.Style = dotted ? psDot : psSolid;
    Canvas.Pen.Width = 1;
    if (style == gsPoints) {
        for (int x : cols)
            for (int y : rows)
                Canvas.SetPixel(x, y, Params.GridColor);
        return;
    }
    for (int x : cols) {
        Canvas.MoveTo(x, 0);
        Canvas.LineTo(x, ph);
    }
    for (int y : rows) {
        Canvas.MoveTo(0, y);
        Canvas.LineTo(pw, y);
    }
    Canvas.Pen.Style = psSolid;
}
