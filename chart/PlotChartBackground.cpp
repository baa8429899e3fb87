// The plot area's background: its colour and frame, the coloured band given
// in world values, or a background picture in one of its fill modes.

#include "chart/BakGndImg.h"
#include "chart/FlagGuard.h"
#include "chart/PlotChart.h"

void TCustomPlotChart::InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height) {
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Mode = pmCopy;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FChartColor;
    Canvas.Pen.Color = FChartFrameColor;
    if (FBackGroundImg->Name().isEmpty()) {
        Canvas.Rectangle(Left, Top, Left + Width, Top + Height);
        DrawAreaBand(Canvas, Left, Top, Width, Height);
    } else {
        DrawBackgroundPicture(Canvas, Left, Top, Width, Height);
    }
}

void TCustomPlotChart::DrawAreaBand(TCanvas& Canvas, int Left, int Top, int Width, int Height) {
    const TBakGndImg& bg = *FBackGroundImg;
    if (bg.AreaMode() == bamNone)
        return;
    Canvas.Brush.Color = bg.AreaColor();
    Canvas.Pen.Color = bg.AreaColor();
    int x1, y1, x2, y2;
    R2M(ActiveLayer(), bg.AreaLeft(), bg.AreaTop(), x1, y1);
    R2M(ActiveLayer(), bg.AreaRight(), bg.AreaBottom(), x2, y2);
    LimitScreenCoords(x1, y1);
    LimitScreenCoords(x2, y2);
    const int xl = Left + x1 - FLRim;
    const int xr = Left + x2 - FLRim;
    const int yt = Top + y1 - FTRim;
    const int yb = Top + y2 - FTRim;
    const int rt = Left + Width;
    const int bt = Top + Height;
    switch (bg.AreaMode()) {
    case bamNone:
        break;
    case bamLeft:
        Canvas.Rectangle(Left, Top, xl, bt);
        break;
    case bamRight:
        Canvas.Rectangle(xr, Top, rt, bt);
        break;
    case bamTop:
        Canvas.Rectangle(Left, Top, rt, yt);
        break;
    case bamBottom:
        Canvas.Rectangle(Left, yb, rt, bt);
        break;
    case bamVStripe:
        Canvas.Rectangle(xl, Top, xr, bt);
        break;
    case bamHStripe:
        Canvas.Rectangle(Left, yt, rt, yb);
        break;
    case bamRect:
        Canvas.Rectangle(xl, yt, xr, yb);
        break;
    case bamRectInv:
        Canvas.Rectangle(Left, Top, rt, yt);
        Canvas.Rectangle(Left, yb, rt, bt);
        Canvas.Rectangle(Left, Top, xl, bt);
        Canvas.Rectangle(xr, Top, rt, bt);
        break;
    case bamVStripeInv:
        Canvas.Rectangle(Left, Top, xl, bt);
        Canvas.Rectangle(xr, Top, rt, bt);
        break;
    case bamHStripeInv:
        Canvas.Rectangle(Left, Top, rt, yt);
        Canvas.Rectangle(Left, yb, rt, bt);
        break;
    }
}

void TCustomPlotChart::DrawBackgroundPicture(TCanvas& Canvas, int Left, int Top, int Width,
                                             int Height) {
    TBakGndImg& bg = *FBackGroundImg;
    if (!FAuxBmp.LoadFromFile(bg.Name())) {
        Canvas.Rectangle(Left, Top, Left + Width, Top + Height);
        // Later paints must not retry. Clearing the name reports a change;
        // the gate keeps that from painting (also from ClearGraf).
        TFlagGuard gate(FSuppressPaint);
        bg.SetName(QString());
        return;
    }
    const int pw = FAuxBmp.Width();
    const int ph = FAuxBmp.Height();
    switch (bg.FillMode()) {
    case bfSimple:
        Canvas.Rectangle(Left, Top, Left + Width, Top + Height);
        Canvas.Draw(Left, Top, FAuxBmp);
        break;
    case bfStretch:
        Canvas.StretchDraw(TRect{Left, Top, Left + Width, Top + Height}, FAuxBmp);
        break;
    case bfTile:
        if (pw <= 0 || ph <= 0)
            break;
        for (int c = 1; c <= (Width - 1) / pw + 1; ++c)
            for (int r = 1; r <= (Height - 1) / ph + 1; ++r)
                Canvas.Draw(Left + pw * (c - 1), Top + ph * (r - 1), FAuxBmp);
        break;
    }
}
