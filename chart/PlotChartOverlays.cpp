// What is drawn over a finished picture: the mouse trace on the plot area
// and the crosshairs on the bitmap that is about to be shown.

#include "chart/CrossHair.h"
#include "chart/PlotChart.h"

#include <algorithm>

namespace {

// Half the side of the box that crosshairs in a box mode draw around their point.
constexpr int CrossHairBox = 5;

TColor Inverted(TColor color) {
    return RGBColor(255 - (color & 0xFF), 255 - ((color >> 8) & 0xFF),
                    255 - ((color >> 16) & 0xFF));
}

} // namespace

void TCustomPlotChart::DrawMouseTrace(TCanvas& Canvas) {
    // The trace's points are control pixels.
    TCanvasStateSaver saved(Canvas);
    Canvas.MoveOrigin(-FLRim, -FTRim);
    for (const TMouseTracePoint& pt : FMouseTrace) {
        const int x = pt.x - FLRim;
        const int y = pt.y - FTRim;
        if (x < 0 || y < 0 || x >= FGrafBmp.Width() || y >= FGrafBmp.Height())
            continue;
        // Inverting keeps the trace visible on any background.
        const TColor color =
            FMouseTraceInvert ? Inverted(Canvas.Pixel(pt.x, pt.y).value_or(clBlack)) : pt.Color;
        Canvas.SetPixel(pt.x, pt.y, color);
    }
}

void TCustomPlotChart::AddMouseTracePoint(int x, int y) {
    if (static_cast<int>(FMouseTrace.size()) < MaxMouseTracePoints)
        FMouseTrace.push_back({x, y, FMouseTraceColor});
}

void TCustomPlotChart::DrawFinish(int X, int Y, TCanvas& Canvas, TBitmap& Bitmap) {
    const bool anyOn = std::any_of(FCrossHair.begin(), FCrossHair.end(),
                                   [](const auto& ch) { return ch->Mode() != chOff; });
    if (anyOn) {
        TCanvas& over = Bitmap.Canvas();
        TCanvasStateSaver saved(over);
        over.MoveOrigin(-X, -Y);
        DrawCrossHairs(over);
    }
    Canvas.Draw(X, Y, Bitmap);
}

void TCustomPlotChart::DrawCrossHairs(TCanvas& Canvas) {
    // Lines span the plot area.
    const TPlotGeometry& g = FPlotMap.Geometry();
    for (const auto& ch : FCrossHair) {
        const TCrossHMode mode = ch->Mode();
        if (mode == chOff)
            continue;
        int px, py;
        R2M(ch->Layer(), ch->PosX(), ch->PosY(), px, py);
        LimitScreenCoords(px, py);
        Canvas.Pen.Color = ch->Color();
        Canvas.Pen.Style = ch->LineType();
        Canvas.Pen.Width = std::max(1, ch->LineWid());
        Canvas.Pen.Mode = pmCopy;
        if (mode == chHoriz || mode == chBoth || mode == chCrossBox) {
            Canvas.MoveTo(g.LRim, py);
            Canvas.LineTo(g.PlotRight() + 1, py);
        }
        if (mode == chVert || mode == chBoth || mode == chCrossBox) {
            Canvas.MoveTo(px, g.TRim);
            Canvas.LineTo(px, g.PlotBottom() + 1);
        }
        if (mode == chBox || mode == chCrossBox) {
            Canvas.Brush.Style = bsClear;
            Canvas.Rectangle(px - CrossHairBox, py - CrossHairBox, px + CrossHairBox + 1,
                             py + CrossHairBox + 1);
        }
    }
}
