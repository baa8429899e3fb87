// The paint pipeline of the chart: the complete picture is composed off-screen
// (ChartBmp with the axes and caption, GrafBmp with the plot area) into the
// surface bitmap, which paintEvent shows in one step; ShowGraf's fast path
// redraws the plot area alone. docs/architecture.md draws the pipeline.

#include "chart/CrossHair.h"
#include "chart/FlagGuard.h"
#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <QPaintEvent>
#include <algorithm>

bool TCustomPlotChart::CanPaint() const {
    return isVisible() && !FLoading && !FSuppressPaint;
}

void TCustomPlotChart::Paint() {
    if (!CanPaint())
        return;
    Compose(ScreenRatio());
    FSurfaceFresh = true;
    update();
}

void TCustomPlotChart::RepaintIfAuto() {
    if (FAutoRedraw)
        Paint();
}

qreal TCustomPlotChart::ScreenRatio() const {
    return std::max<qreal>(1, devicePixelRatioF());
}

void TCustomPlotChart::Compose(qreal ratio) {
    // Change reports from inside (a background picture that fails to load)
    // must not start another picture.
    TFlagGuard gate(FSuppressPaint);
    ++FPaintCount;
    // Drawn at the device's resolution, in the control's pixels; the
    // background picture keeps its own pixels.
    FChartBmp.SetDevicePixelRatio(ratio);
    FGrafBmp.SetDevicePixelRatio(ratio);
    FSurfaceBmp.SetDevicePixelRatio(ratio);
    FChartBmp.SetSize(width(), height());
    ConstructChartBmp(FChartBmp.Canvas());
    ResizeGrafBmp();
    InitGraf(FGrafBmp.Canvas(), 0, 0, PlotWidth(), PlotHeight());
    ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
    DrawMouseTrace(FGrafBmp.Canvas());
    FChartBmp.Canvas().Draw(FLRim, FTRim, FGrafBmp);
    FSurfaceBmp.SetSize(width(), height());
    DrawFinish(0, 0, FSurfaceBmp.Canvas(), FChartBmp);
    RestoreBand();
}

void TCustomPlotChart::paintEvent(QPaintEvent* event) {
    // Qt asks on its own (shown, uncovered, rendered for printing): compose the
    // complete picture first unless Paint or a fast path has just done so for
    // this device (a print renders the control into a picture of its own).
    const qreal ratio = PaintDeviceRatio(*this);
    if ((!FSurfaceFresh || !SurfaceFits(ratio)) && CanPaint())
        Compose(ratio);
    FSurfaceFresh = false;
    PresentBitmap(*this, event->rect(), FSurfaceBmp, FWindColor);
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
        const int allowed = static_cast<int>(RoundHalfEven(avail * 0.01 * FCaptionTrim));
        if (allowed < w) {
            const int n =
                static_cast<int>(RoundHalfEven(text.size() * (static_cast<double>(allowed) / w)));
            text = (n - 2 >= 1 ? text.left(n - 2) : QString()) + QStringLiteral("...");
            w = Canvas.TextWidth(text);
        }
    }
    // Wide arithmetic: the offsets take any integer.
    long long x = FCaptionPosX;
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
    long long y = FCaptionPosY;
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
    // Far beyond any bitmap, and within what the drawing surface computes with.
    constexpr long long Far = 1 << 24;
    Canvas.TextOut(static_cast<int>(std::clamp(x, -Far, Far)),
                   static_cast<int>(std::clamp(y, -Far, Far)), text);
}

TRenderParams TCustomPlotChart::RenderParams() const {
    TRenderParams p;
    p.Map = FPlotMap;
    p.ChartColor = FChartColor;
    p.ChartFrameColor = FChartFrameColor;
    p.LineWidth = LineWidth();
    p.TextFont = FTextFont;
    p.GridStyle = FGridStyle;
    p.GridColor = FGridColor;
    p.GridDx = FGridDx;
    p.GridDy = FGridDy;
    p.GridTicksX = FScaleX[0]->TickSettings();
    p.GridTicksY = FScaleY[0]->TickSettings();
    p.AvoidDuplicateMarks = FAvoidDuplicateMarks;
    p.MinDupMarkDist = FMinDupMarkDist;
    p.TextLabels = FTextLabels;
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

void TCustomPlotChart::ClearGraf() {
    ResizeGrafBmp();
    InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width(), FGrafBmp.Height());
    ClearDataList();
    FMouseTrace.clear();
}

bool TCustomPlotChart::SurfaceFits(qreal ratio) const {
    return FSurfaceBmp.Width() == width() && FSurfaceBmp.Height() == height() &&
           FSurfaceBmp.DevicePixelRatio() == ratio;
}

void TCustomPlotChart::ShowPlotArea() {
    DrawFinish(FLRim, FTRim, FSurfaceBmp.Canvas(), FGrafBmp);
    RestoreBand();
    FSurfaceFresh = true;
    update();
}

void TCustomPlotChart::ShowGraf() {
    if (isVisible()) {
        FLastElemOnShow = NumItems() - 1;
        AdjustCanInfoOfSharedCharts();
        // With AutoRedraw off no setting has repainted since it went off; a
        // surface of another size or ratio (resized, moved to another screen,
        // printed, or never painted) holds no picture around the plot area.
        // Either way only the whole chart will do.
        if (!FAutoRedraw || !SurfaceFits(ScreenRatio())) {
            Paint();
        } else if (CanPaint()) {
            // Only the plot area is redrawn; caption and axes stay as they are.
            InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width(), FGrafBmp.Height());
            ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
            ShowPlotArea();
        }
    }
    // The charts that show the same data, whether this one is visible or not.
    for (TChartDrawingList* other : ListsSharingData())
        if (auto* chart = dynamic_cast<TCustomPlotChart*>(other); chart && chart->FAutoRedraw)
            chart->Paint();
}

void TCustomPlotChart::ShowGrafNewOnly() {
    if (!CanPaint())
        return;
    if (!SurfaceFits(ScreenRatio())) {
        Paint();
    } else {
        // The plot keeps its grid from the pass that showed the earlier items,
        // unless ClearGraf has put the bare background back (marker 0).
        ConstructDataBmp(FGrafBmp, 0, 0, false, FLastElemOnShow);
        ShowPlotArea();
    }
    FLastElemOnShow = NumItems() - 1;
}
