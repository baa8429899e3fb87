// The paint pipeline of the chart: the complete picture is composed off-screen
// (ChartBmp, GrafBmp) and copied to the surface bitmap, which paintEvent hands
// to Qt in one step.

#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ScreenLimit = 30000;
// Half the side of the box that crosshairs in a box mode draw around their point.
constexpr int CrossHairBox = 5;

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Sets a flag for the lifetime of the guard.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag), FSaved(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = FSaved; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

void TCustomPlotChart::Paint() {
    if (!isVisible() || FLoading || FSuppressPaint || FComposing)
        return;
    Compose();
    FSurfaceFresh = true;
    if (!FInPaintEvent)
        update();
}

void TCustomPlotChart::RepaintIfAuto() {
    if (FAutoRedraw)
        Paint();
}

void TCustomPlotChart::Compose() {
    TFlagGuard composing(FComposing);
    ++FPaintCount;
    FChartBmp.SetSize(width(), height());
    ConstructChartBmp(FChartBmp.Canvas());
    ResizeGrafBmp();
    InitGraf(FGrafBmp.Canvas(), 0, 0, PlotWidth(), PlotHeight());
    ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
    DrawMouseTrace(FGrafBmp.Canvas());
    FChartBmp.Canvas().Draw(FLRim, FTRim, FGrafBmp);
    FSurfaceBmp.SetSize(width(), height());
    DrawFinish(0, 0, FSurfaceBmp.Canvas(), FChartBmp);
}

void TCustomPlotChart::paintEvent(QPaintEvent* event) {
    // Qt asks on its own (shown, uncovered, rendered for printing): compose the
    // complete picture first unless Paint has just done so.
    if (!FSurfaceFresh || FSurfaceBmp.Width() != width() || FSurfaceBmp.Height() != height()) {
        TFlagGuard inPaint(FInPaintEvent);
        Paint();
    }
    FSurfaceFresh = false;
    QPainter painter(this);
    if (FSurfaceBmp.Width() < width() || FSurfaceBmp.Height() < height())
        painter.fillRect(event->rect(), ColorToQColor(FWindColor));
    painter.drawImage(0, 0, FSurfaceBmp.Image());
}

const QImage& TCustomPlotChart::SurfaceImage() const {
    return FSurfaceBmp.Image();
}

void TCustomPlotChart::ConstructChartBmp(TCanvas& Canvas) {
    const int w = width();
    const int h = height();
    FChartBmp.SetSize(w, h);
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Mode = pmCopy;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FWindColor;
    Canvas.Pen.Color = FWindColor;
    Canvas.Rectangle(0, 0, w, h);
    if (FShadowWidth > 0)
        DrawShadow(Canvas);
    Canvas.Pen.Color = FChartFrameColor;
    Canvas.Brush.Style = bsClear;
    Canvas.Font = FFont;
    DrawCaption(Canvas);
    AdjustScaling();
    for (int i = 0; i < 2; ++i) {
        SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
        FScaleX[i]->ForcePaint();
    }
    for (int i = 0; i < 2; ++i) {
        SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
        FScaleY[i]->ForcePaint();
    }
    if (OnScalesRendered)
        OnScalesRendered(*this, Canvas, 0, 0);
}

void TCustomPlotChart::DrawShadow(TCanvas& Canvas) {
    const int s = FShadowWidth;
    const int wc = FChartBmp.Width();
    const int hc = FChartBmp.Height();
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FShadowBakColor;
    Canvas.Pen.Color = FShadowBakColor;
    Canvas.Rectangle(wc - s, 0, wc, s);
    Canvas.Rectangle(0, hc - s, s, hc);
    Canvas.Brush.Color = FShadowColor;
    int s0;
    if (FShadowStyle == ssFlying) {
        Canvas.Pen.Color = FShadowColor;
        s0 = s - 1;
    } else {
        Canvas.Pen.Color = clBlack;
        s0 = 0;
    }
    const TPoint bottom[] = {{s0, hc - s}, {s - 1, hc - 1}, {wc - 1, hc - 1}, {wc - s, hc - s}};
    Canvas.Polygon(bottom);
    const TPoint right[] = {{wc - s, hc - s}, {wc - 1, hc - 1}, {wc - 1, s - 1}, {wc - s, s0}};
    Canvas.Polygon(right);
    Canvas.Pen.Color = clBlack;
    Canvas.Pen.Style = psSolid;
    const int w = width();
    const int h = height();
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(w - s, 0);
    Canvas.LineTo(w - s, h - s);
    Canvas.LineTo(0, h - s);
    Canvas.LineTo(0, 0);
}

void TCustomPlotChart::DrawCaption(TCanvas& Canvas) {
    QString text = FChartCaption;
    if (text.isEmpty())
        return;
    const int w0 = width();
    const int h0 = height();
    const int s = FShadowWidth;
    int w = Canvas.TextWidth(text);
    if (FCaptionTrim != 0 && w > 0) {
        const int avail = FChartBmp.Width() - s - FLRim - FRRim;
        const int allowed = RoundHalfEven(avail * 0.01 * FCaptionTrim);
        if (allowed < w) {
            const int n = RoundHalfEven(text.size() * (static_cast<double>(allowed) / w));
            text = (n - 2 >= 1 ? text.left(n - 2) : QString()) + QStringLiteral("...");
            w = Canvas.TextWidth(text);
        }
    }
    int x = FCaptionPosX;
    switch (FCaptionAnchorHoriz) {
    case cahControlLeft:
        break;
    case cahChartLeft:
        x += FLRim;
        break;
    case cahChartCenter:
        x += FLRim + (w0 - FLRim - FRRim - s) / 2;
        break;
    case cahChartRight:
        x += w0 - FRRim - s;
        break;
    case cahControlRight:
        x += w0;
        break;
    }
    int y = FCaptionPosY;
    switch (FCaptionAnchorVert) {
    case cavControlTop:
        break;
    case cavChartTop:
        y += FTRim;
        break;
    case cavChartCenter:
        y += FTRim + (h0 - FTRim - FBRim - s) / 2;
        break;
    case cavChartBottom:
        y += h0 - FBRim;
        break;
    case cavControlBottom:
        y += h0;
        break;
    }
    switch (FCaptionAlignment) {
    case taLeftJustify:
        break;
    case taRightJustify:
        x -= w;
        break;
    case taCenter:
        x -= w / 2;
        break;
    }
    Canvas.TextOut(x, y, text);
}

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
    auto limit = [](int v) { return std::clamp(v, -ScreenLimit, ScreenLimit); };
    const int xl = Left + limit(x1) - FLRim;
    const int xr = Left + limit(x2) - FLRim;
    const int yt = Top + limit(y1) - FTRim;
    const int yb = Top + limit(y2) - FTRim;
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
        // the composing guard keeps that from painting (also from ClearGraf).
        TFlagGuard composing(FComposing);
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

TRenderParams TCustomPlotChart::RenderParams() const {
    TRenderParams p;
    p.Width = width();
    p.Height = height();
    p.LRim = FLRim;
    p.RRim = FRRim;
    p.TRim = FTRim;
    p.BRim = FBRim;
    p.ShadowWidth = FShadowWidth;
    p.ChartColor = FChartColor;
    p.ChartFrameColor = FChartFrameColor;
    p.LineWidth = LineWidth();
    p.Layers = FLayers;
    p.TextFont = FTextFont;
    p.GridStyle = FGridStyle;
    p.GridColor = FGridColor;
    p.GridDx = FGridDx;
    p.GridDy = FGridDy;
    p.AvoidDuplicateMarks = FAvoidDuplicateMarks;
    p.MinDupMarkDist = FMinDupMarkDist;
    return p;
}

void TCustomPlotChart::ConstructDataBmp(TBitmap& Bitmap, int XOffset, int YOffset, bool BlkWhite,
                                        int FirstItem) {
    ConstructDataBmpCanvas(Bitmap.Canvas(), XOffset, YOffset, BlkWhite, FirstItem);
}

void TCustomPlotChart::ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset,
                                              bool BlkWhite, int FirstItem) {
    TRenderParams p = RenderParams();
    if (OnBeforeRenderData)
        p.OnBeforeRenderData = [this](TChartDrawingList&, TCanvas& cv, int top, int left) {
            OnBeforeRenderData(*this, cv, top, left);
        };
    if (OnDataRendered)
        p.OnDataRendered = [this](TChartDrawingList&, TCanvas& cv, int top, int left) {
            OnDataRendered(*this, cv, top, left);
        };
    if (OnBeforeRenderChartItem)
        p.OnBeforeRenderChartItem = [this](TChartDrawingList&, TChartItem& item, int index,
                                           bool isAnno) {
            OnBeforeRenderChartItem(*this, item, index, isAnno);
        };
    FRenderer.ConstructDataBmpCanvas(Canvas, p, *this, XOffset, YOffset, BlkWhite, FirstItem);
}

void TCustomPlotChart::DrawMouseTrace(TCanvas& Canvas) {
    for (const TMouseTracePoint& pt : FMouseTrace) {
        const int x = pt.x - FLRim;
        const int y = pt.y - FTRim;
        if (x < 0 || y < 0 || x >= FGrafBmp.Width() || y >= FGrafBmp.Height())
            continue;
        TColor c = pt.Color;
        if (FMouseTraceInvert) {
            // Inverting keeps the trace visible on any background.
            const QRgb under = FGrafBmp.Image().pixel(x, y);
            c = RGBColor(255 - qRed(under), 255 - qGreen(under), 255 - qBlue(under));
        }
        Canvas.SetPixel(x, y, c);
    }
}

void TCustomPlotChart::AddMouseTracePoint(int x, int y) {
    if (static_cast<int>(FMouseTrace.size()) < MaxMouseTracePoints)
        FMouseTrace.push_back({x, y, FMouseTraceColor});
}

void TCustomPlotChart::DrawFinish(int X, int Y, TCanvas& Canvas, TBitmap& Bitmap) {
    const bool anyOn = std::any_of(FCrossHair.begin(), FCrossHair.end(),
                                   [](const auto& ch) { return ch->Mode() != chOff; });
    if (anyOn)
        DrawCrossHairs(Bitmap.Canvas(), X, Y);
    Canvas.Draw(X, Y, Bitmap);
}

void TCustomPlotChart::DrawCrossHairs(TCanvas& Canvas, int X, int Y) {
    // Lines span the plot area; all positions are control pixels shifted by (X, Y).
    const int left = FLRim - X;
    const int top = FTRim - Y;
    const int right = width() - FRRim - FShadowWidth - X;
    const int bottom = height() - FBRim - FShadowWidth - Y;
    const TPen savedPen = Canvas.Pen;
    const TBrush savedBrush = Canvas.Brush;
    for (const auto& ch : FCrossHair) {
        const TCrossHMode mode = ch->Mode();
        if (mode == chOff)
            continue;
        int px, py;
        R2M(ch->Layer(), ch->PosX(), ch->PosY(), px, py);
        px = std::clamp(px, -ScreenLimit, ScreenLimit) - X;
        py = std::clamp(py, -ScreenLimit, ScreenLimit) - Y;
        Canvas.Pen.Color = ch->Color();
        Canvas.Pen.Style = ch->LineType();
        Canvas.Pen.Width = std::max(1, ch->LineWid());
        Canvas.Pen.Mode = pmCopy;
        if (mode == chHoriz || mode == chBoth || mode == chCrossBox) {
            Canvas.MoveTo(left, py);
            Canvas.LineTo(right + 1, py);
        }
        if (mode == chVert || mode == chBoth || mode == chCrossBox) {
            Canvas.MoveTo(px, top);
            Canvas.LineTo(px, bottom + 1);
        }
        if (mode == chBox || mode == chCrossBox) {
            Canvas.Brush.Style = bsClear;
            Canvas.Rectangle(px - CrossHairBox, py - CrossHairBox, px + CrossHairBox + 1,
                             py + CrossHairBox + 1);
        }
    }
    Canvas.Pen = savedPen;
    Canvas.Brush = savedBrush;
}

void TCustomPlotChart::ClearGraf() {
    ResizeGrafBmp();
    InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width(), FGrafBmp.Height());
    ClearDataList();
    FMouseTrace.clear();
}

void TCustomPlotChart::ShowGraf() {
    if (isVisible()) {
        FLastElemOnShow = NumItems() - 1;
        if (FAutoRedraw) {
            if (FLoading || FSuppressPaint || FComposing)
                return;
            // Only the plot area is redrawn; caption and axes stay as they are.
            InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width(), FGrafBmp.Height());
            ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
            FSurfaceBmp.SetSize(width(), height());
            DrawFinish(FLRim, FTRim, FSurfaceBmp.Canvas(), FGrafBmp);
            FSurfaceFresh = true;
            update();
        } else {
            Paint();
        }
    }
}

void TCustomPlotChart::ShowGrafNewOnly() {
    if (!isVisible() || FLoading || FSuppressPaint || FComposing)
        return;
    ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
    FSurfaceBmp.SetSize(width(), height());
    DrawFinish(FLRim, FTRim, FSurfaceBmp.Canvas(), FGrafBmp);
    FSurfaceFresh = true;
    update();
    FLastElemOnShow = NumItems() - 1;
}
