// Drawing a scale: the ticks of its division, their labels, the base line
// and the caption, straight onto a target canvas (a chart's helper) or into
// a framed picture of its own (a stand-alone scale).

#include "chart/Scale.h"

#include <algorithm>

namespace {

// Margins and offsets take any integer: positions are worked out wide and
// kept far beyond any bitmap, within what the drawing surface computes with.
int OnCanvas(long long position) {
    constexpr long long Far = 1 << 24;
    return static_cast<int>(std::clamp(position, -Far, Far));
}

} // namespace

void TScale::DrawTick(TCanvas& canvas, int pos, double v, int base, bool horizontal,
                      bool labelled) {
    int x, y;
    if (horizontal) {
        const int len = labelled ? 7 : 4;
        x = pos;
        y = base;
        canvas.MoveTo(x, y);
        canvas.LineTo(x, FScaleType == sctXT ? y + len : y - len);
    } else {
        const int len = labelled ? 6 : 4;
        x = base;
        y = pos;
        canvas.MoveTo(x, y);
        canvas.LineTo(FScaleType == sctYL ? x + len : x - len, y);
    }
    if (OnScaleTickDrawn)
        OnScaleTickDrawn(this, canvas, FScaleType, v, x, y);
}

void TScale::DrawLabel(TCanvas& canvas, int pos, int base, bool horizontal, int zeroHeight,
                       const QString& text) {
    const TSize size = canvas.TextExtent(text);
    if (horizontal) {
        // Centred on the tick, but never left of 2 nor right of the width - 2.
        const long long half = size.cx / 2;
        const long long at = pos;
        const long long left =
            at + half < FWidth - 2LL ? at - std::min(at - 2, half) : FWidth - 2 * half - 2;
        const long long top = FScaleType == sctXT ? base + 7LL : base - 7LL - size.cy;
        canvas.TextOut(OnCanvas(left), OnCanvas(top), text);
    } else {
        const long long top = pos - zeroHeight / 2LL;
        const long long left = FScaleType == sctYL ? base + 8LL : base - 8LL - size.cx;
        canvas.TextOut(OnCanvas(left), OnCanvas(top), text);
    }
}

void TScale::DrawCaption(TCanvas& canvas, int base, bool horizontal) {
    if (FUnitLabel.isEmpty())
        return;
    const int w = canvas.TextWidth(FUnitLabel);
    long long ax, ay;
    if (horizontal) {
        switch (FLblAnchor) {
        case uaSclCenter:
            ax = FMarginLeft + (0LL + FWidth - FMarginLeft - FMarginRight) / 2;
            break;
        case uaSclBotRgt:
            ax = 0LL + FWidth - FMarginRight;
            break;
        default:
            ax = FMarginLeft;
            break;
        }
        ax += FLblPosX;
        ay = 0LL + base + FLblPosY;
    } else {
        switch (FLblAnchor) {
        case uaSclCenter:
            ay = FMarginTop + (0LL + FHeight - FMarginTop - FMarginBottom) / 2;
            break;
        case uaSclBotRgt:
            ay = 0LL + FHeight - FMarginBottom;
            break;
        default:
            ay = FMarginTop;
            break;
        }
        ay += FLblPosY;
        ax = 0LL + base + FLblPosX;
    }
    if (FLblAlign == taRightJustify)
        ax -= w;
    else if (FLblAlign == taCenter)
        ax -= w / 2;
    canvas.TextOut(OnCanvas(ax), OnCanvas(ay), FUnitLabel);
}

void TScale::DrawScale(TCanvas& canvas, int base, bool horizontal) {
    canvas.Brush.Style = FTransparent ? bsClear : bsSolid;
    if (!FTransparent)
        canvas.Brush.Color = FColorBG;
    // Vertical labels are centred on their tick by the height of a digit.
    const int zeroHeight = canvas.TextHeight(QStringLiteral("0"));
    const std::vector<TTick> ticks = DivideAxis(TickSettings());
    FDrawnTicks.clear();
    for (const TTick& tick : ticks) {
        if (FDrawnTicks.size() < MaxTickPos)
            FDrawnTicks.push_back(tick.Value);
        const int pos = FMap.ToPixel(tick.Value);
        DrawTick(canvas, pos, tick.Value, base, horizontal, tick.Labelled);
        if (!tick.Labelled || FLabelType == ftNoFigs)
            continue;
        QString text = tick.Text;
        if (OnBeforeTickLabel)
            OnBeforeTickLabel(this, FScaleType, tick.Value, text);
        if (!text.isEmpty())
            DrawLabel(canvas, pos, base, horizontal, zeroHeight, text);
    }
    DrawCaption(canvas, base, horizontal);
}

void TScale::DrawXScale(TCanvas& canvas, int y) {
    DrawScale(canvas, y, true);
}

void TScale::DrawYScale(TCanvas& canvas, int x) {
    DrawScale(canvas, x, false);
}

void TScale::DrawFrame(TCanvas& c) {
    const int r = FWidth - 1, b = FHeight - 1;
    auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        c.Pen = TPen{topLeft, psSolid, 1, pmCopy};
        c.MoveTo(inset, b - inset);
        c.LineTo(inset, inset);
        c.LineTo(r - inset + 1, inset);
        c.Pen.Color = bottomRight;
        c.MoveTo(r - inset, inset + 1);
        c.LineTo(r - inset, b - inset);
        c.LineTo(inset, b - inset);
    };
    switch (FFrameStyle) {
    case fsSimple:
        edge(0, FColBlackLine, FColBlackLine);
        break;
    case fsLowered:
        edge(0, FColGrayLine, FColWhiteLine);
        break;
    case fsRaised:
        edge(0, FColWhiteLine, FColGrayLine);
        break;
    case fsEmbossed:
        edge(0, FColWhiteLine, FColBlackLine);
        edge(1, RGBColor(192, 192, 192), FColGrayLine);
        break;
    case fsEngraved:
        edge(0, FColGrayLine, FColWhiteLine);
        edge(1, FColBlackLine, RGBColor(192, 192, 192));
        break;
    default:
        break;
    }
}

// The offset moves the axis across only; along it the margins place it.
void TScale::PaintOn(TCanvas& c, int offX, int offY) {
    c.Pen = TPen{FColorFG, psSolid, 1, pmCopy};
    const bool horizontal = IsHorizontal(FScaleType);
    long long wide;
    switch (FScaleType) {
    case sctXB:
        wide = 0LL + offY + FHeight - FMarginBottom - 1;
        break;
    case sctXT:
        wide = 0LL + offY + FMarginTop;
        break;
    case sctYL:
        wide = 0LL + offX + FMarginLeft;
        break;
    default:
        wide = 0LL + offX + FWidth - FMarginRight - 1;
        break;
    }
    const int base = OnCanvas(wide);
    DrawScale(c, base, horizontal);
    if (FDrawBaseLine) {
        c.Pen = TPen{FColorFG, psSolid, 1, pmCopy};
        // Both ends of the axis belong to it.
        if (horizontal) {
            c.MoveTo(FMarginLeft, base);
            c.LineTo(OnCanvas(0LL + FWidth - FMarginRight), base);
        } else {
            c.MoveTo(base, FMarginTop);
            c.LineTo(base, OnCanvas(0LL + FHeight - FMarginBottom));
        }
    }
}

void TScale::ForcePaint() {
    if (!FVisible || FLoading)
        return;
    TCanvas* target = FForeignCv;
    int offX = FForCvPosX, offY = FForCvPosY;
    if (!target) {
        FSurface.SetSize(FWidth, FHeight);
        target = &FSurface.Canvas();
        offX = offY = 0;
    }
    // The target belongs to the owner: it gets its pen, brush and font back.
    TCanvasStateSaver saved(*target);
    target->Font = FFont;
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(this, *target);
    if (FTransparent) {
        PaintOn(*target, offX, offY);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(this, *target);
        return;
    }
    // At the target's resolution, so that it is copied pixel for pixel.
    FPicture.SetDevicePixelRatio(target->DevicePixelRatio());
    FPicture.SetSize(FWidth, FHeight);
    TCanvas& pc = FPicture.Canvas();
    pc.Brush = TBrush{FColorBG, bsSolid};
    pc.FillRect({0, 0, FWidth, FHeight});
    DrawFrame(pc);
    pc.Font = FFont;
    PaintOn(pc, 0, 0);
    if (OnAfterScaleRendered)
        OnAfterScaleRendered(this, pc);
    target->Draw(offX, offY, FPicture);
}

void TScale::Paint() {
    if (!FSuppressPaint)
        ForcePaint();
}
