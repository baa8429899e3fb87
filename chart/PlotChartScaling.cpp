// Geometry, axes and the plot map of the chart: the rims, the hand-over of
// each axis's properties to its scale object, range forcing with joined
// layers, and the painting gate.

#include "chart/ChartErrors.h"
#include "chart/FlagGuard.h"
#include "chart/JointLayers.h"
#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace {

std::size_t Ix(int layer) {
    return static_cast<std::size_t>(std::clamp(layer, 1, 2) - 1);
}

} // namespace

TPlotGeometry TCustomPlotChart::Geometry() const {
    return {width(), height(), FLRim, FRRim, FTRim, FBRim, FShadowWidth};
}

int TCustomPlotChart::PlotWidth() const {
    return Geometry().PlotWidth();
}

int TCustomPlotChart::PlotHeight() const {
    return Geometry().PlotHeight();
}

void TCustomPlotChart::ResizeGrafBmp() {
    FGrafBmp.SetSize(PlotWidth(), PlotHeight());
}

TScalePropsHoriz& TCustomPlotChart::ScalePropsX(int Layer) {
    return *FScalePropsX[Ix(Layer)];
}

TScalePropsVert& TCustomPlotChart::ScalePropsY(int Layer) {
    return *FScalePropsY[Ix(Layer)];
}

TScale& TCustomPlotChart::ScaleX(int Layer) {
    return *FScaleX[Ix(Layer)];
}

TScale& TCustomPlotChart::ScaleY(int Layer) {
    return *FScaleY[Ix(Layer)];
}

QString TCustomPlotChart::ScaleNameX(int Layer) const {
    return FScaleNameX[Ix(Layer)];
}

QString TCustomPlotChart::ScaleNameY(int Layer) const {
    return FScaleNameY[Ix(Layer)];
}

void TCustomPlotChart::SetScale1X(const TScalePropsHoriz& value) {
    FScalePropsX[0]->Assign(value);
}

void TCustomPlotChart::SetScale2X(const TScalePropsHoriz& value) {
    FScalePropsX[1]->Assign(value);
}

void TCustomPlotChart::SetScale1Y(const TScalePropsVert& value) {
    FScalePropsY[0]->Assign(value);
}

void TCustomPlotChart::SetScale2Y(const TScalePropsVert& value) {
    FScalePropsY[1]->Assign(value);
}

void TCustomPlotChart::AdjustScaling() {
    if (FLoading)
        return;
    const TPlotGeometry g = Geometry();
    FPlotMap.SetGeometry(g);
    // Layer by layer, X before Y: an error leaves the maps built before it.
    // An axis without a pixel between its ends maps to the middle and takes
    // no logarithm.
    const auto checked = [](const TScaleProps& props) {
        if (props.Logarithmic() && !TAxisMap::LogRangeValid(props.RangeLow(), props.RangeHigh()))
            throw EChartError("Logarithmic axis must not be negative.");
    };
    for (int layer = 1; layer <= 2; ++layer) {
        const TScaleProps& x = *FScalePropsX[Ix(layer)];
        if (g.PlotRight() > g.LRim)
            checked(x);
        FPlotMap.SetLayerX(layer, FPlotMap.XAxis(x.RangeLow(), x.RangeHigh(), x.Logarithmic()));
        const TScaleProps& y = *FScalePropsY[Ix(layer)];
        if (g.PlotBottom() > g.TRim)
            checked(y);
        FPlotMap.SetLayerY(layer, FPlotMap.YAxis(y.RangeLow(), y.RangeHigh(), y.Logarithmic()));
    }
}

void TCustomPlotChart::SetScaleProps(TScale& Scale, TScaleProps& Props) {
    const int w = width();
    const int h = height();
    const int p = Props.ScalePos();
    Scale.SetScaleType(Props.ScaleType());
    switch (Props.ScaleType()) {
    case sctXB:
        Scale.SetMarginBottom(p + h - FTRim - 1);
        break;
    case sctXT:
        Scale.SetMarginTop(p + h - FBRim - FShadowWidth);
        break;
    case sctYL:
        Scale.SetMarginLeft(p + w - FRRim - FShadowWidth);
        break;
    case sctYR:
        Scale.SetMarginRight(p + w - FLRim - 1);
        break;
    }
    Scale.SetRangeLow(Props.RangeLow());
    Scale.SetRangeHigh(Props.RangeHigh());
    Scale.SetVisible(Props.Visible());
    Scale.SetCaption(Props.Caption());
    Scale.SetCaptionPosX(Props.CaptionPosX());
    Scale.SetCaptionPosY(Props.CaptionPosY());
    Scale.SetCaptionAlignment(Props.CaptionAlignment());
    Scale.SetCaptionAnchor(Props.CaptionAnchor());
    Scale.SetColorScale(Props.ColorScale());
    Scale.SetDecPlaces(Props.DecPlaces());
    Scale.SetLogarithmic(Props.Logarithmic());
    Scale.SetLabelType(Props.LabelType());
    Scale.SetShortTicks(Props.ShortTicks());
    Scale.SetMinTicks(Props.MinTicks());
    Scale.SetScaleInscript(Props.ScaleInscript());
    Scale.SetUserTickText(Props.UserTickText());
    // The whole font, its colour included.
    Scale.SetFont(Props.Font());
    Scale.SetDateFormat(Props.DateFormat());
}

void TCustomPlotChart::PlaceScales() {
    const int w = width();
    const int h = height();
    for (std::size_t i = 0; i < 2; ++i) {
        TScale& x = *FScaleX[i];
        SetScaleProps(x, *FScalePropsX[i]);
        x.SetBounds(0, 0, w, h);
        x.SetMarginLeft(FLRim);
        x.SetMarginRight(FRRim + FShadowWidth - 1);
        TScale& y = *FScaleY[i];
        SetScaleProps(y, *FScalePropsY[i]);
        y.SetBounds(0, 0, w, h);
        y.SetMarginTop(FTRim);
        y.SetMarginBottom(FBRim + FShadowWidth - 1);
    }
}

QSize TCustomPlotChart::minimumSizeHint() const {
    return {FLRim + FRRim + FShadowWidth + 80, FTRim + FBRim + FShadowWidth + 20};
}

void TCustomPlotChart::GeometryChanged() {
    // Layouts ask again for the minimum size.
    updateGeometry();
    ResizeGrafBmp();
    ApplyIsometric();
    PlaceScales();
    AdjustScaling();
    RepaintIfAuto();
}

void TCustomPlotChart::SetLRim(int value) {
    FLRim = value;
    GeometryChanged();
}

void TCustomPlotChart::SetRRim(int value) {
    FRRim = value;
    GeometryChanged();
}

void TCustomPlotChart::SetTRim(int value) {
    FTRim = value;
    GeometryChanged();
}

void TCustomPlotChart::SetBRim(int value) {
    FBRim = value;
    GeometryChanged();
}

void TCustomPlotChart::SetShadowWidth(int value) {
    FShadowWidth = std::clamp(value, 0, MaxShadowWidth);
    GeometryChanged();
}

void TCustomPlotChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TFlagGuard gate(FSuppressPaint);
    const QSize least = minimumSizeHint();
    AHeight = std::max(AHeight, least.height());
    AWidth = std::max(AWidth, least.width());
    setGeometry(ALeft, ATop, AWidth, AHeight);
    ApplyIsometric();
    PlaceScales();
    setGeometry(ALeft, ATop, AWidth, AHeight);
    AdjustScaling();
}

void TCustomPlotChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Sizes may also come from Qt itself (layouts, resize calls): they get the
    // minimum that SetBounds keeps, and the plot bitmap, the scale objects and
    // the transform follow.
    TFlagGuard gate(FSuppressPaint);
    const QSize least = minimumSizeHint();
    if (width() < least.width() || height() < least.height())
        resize(size().expandedTo(least));
    ResizeGrafBmp();
    ApplyIsometric();
    PlaceScales();
    AdjustScaling();
}

void TCustomPlotChart::SetSuppressPaint(bool value) {
    const bool wasSet = FSuppressPaint;
    FSuppressPaint = value;
    if (wasSet && !value)
        Paint();
}

void TCustomPlotChart::ScalePropsChanged(TScaleProps* /*Sender*/) {
    {
        TFlagGuard gate(FSuppressPaint);
        for (std::size_t i = 0; i < 2; ++i) {
            SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
            SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
        }
        for (int layer = 1; layer <= 2; ++layer) {
            const TScaleProps& x = *FScalePropsX[Ix(layer)];
            const TScaleProps& y = *FScalePropsY[Ix(layer)];
            ForceRange(layer, x.RangeLow(), x.RangeHigh(), y.RangeLow(), y.RangeHigh());
        }
    }
    Paint();
}

void TCustomPlotChart::ForceAxisRange(TScaleProps& Props, double Low, double High) {
    // A logarithmic axis takes no end below 1e-100; the end it refuses stays.
    if (Props.Logarithmic()) {
        if (!(Low >= 1e-100))
            Low = Props.RangeLow();
        if (!(High >= 1e-100))
            High = Props.RangeHigh();
    }
    // Stored as they are: the setters would move an end to keep MinRange,
    // and report every step. A range narrower than allowed leaves the axis
    // as it was.
    if (std::abs(High - Low) < 0.99 * Props.MinRange())
        return;
    Props.StoreRange(Low, High);
}

void TCustomPlotChart::ApplyRangeIntern(int Layer, double XLow, double XHigh, double YLow,
                                        double YHigh, bool xFree, bool yFree) {
    const std::size_t i = Ix(Layer);
    if (xFree)
        ForceAxisRange(*FScalePropsX[i], XLow, XHigh);
    if (yFree)
        ForceAxisRange(*FScalePropsY[i], YLow, YHigh);
    ApplyIsometricRange(Layer);
    SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
    SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
    AdjustScaling();
}

void TCustomPlotChart::ForceRange(int Layer, double XLow, double XHigh, double YLow, double YHigh) {
    TFlagGuard gate(FSuppressPaint);
    Layer = std::clamp(Layer, 1, 2);
    const TJointLayers& joints = *FJointLayers;
    ApplyRangeIntern(Layer, XLow, XHigh, YLow, YHigh, joints.ControlledLayerX(Layer) == Layer,
                     joints.ControlledLayerY(Layer) == Layer);
    for (int other = 1; other <= 2; ++other) {
        if (other != Layer &&
            (joints.ControlledLayerX(other) == Layer || joints.ControlledLayerY(other) == Layer))
            ApplyJointRanges(other);
    }
}

void TCustomPlotChart::ApplyJointRanges(int Layer) {
    TFlagGuard gate(FSuppressPaint);
    Layer = std::clamp(Layer, 1, 2);
    const TScaleProps& x = *FScalePropsX[Ix(FJointLayers->ControlledLayerX(Layer))];
    const TScaleProps& y = *FScalePropsY[Ix(FJointLayers->ControlledLayerY(Layer))];
    ApplyRangeIntern(Layer, x.RangeLow(), x.RangeHigh(), y.RangeLow(), y.RangeHigh(), true, true);
}

void TCustomPlotChart::Loaded() {
    FLoading = false;
    ResolveUseDataOf();
    ApplyIsometric();
    for (std::size_t i = 0; i < 2; ++i) {
        SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
        SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        FScalePropsX[i]->Loaded();
        FScalePropsY[i]->Loaded();
    }
    AdjustScaling();
    Paint();
}

// --- isometric scaling -------------------------------------------------------------------

std::optional<std::pair<double, double>>
TCustomPlotChart::IsometricYRange(double XLow, double XHigh, double YLow, double YHigh, int a,
                                  int b, double AspectX, double AspectY) {
    const double xSpan = std::abs(XHigh - XLow);
    if (a <= 0 || b <= 0 || !(xSpan > 0) || !(AspectX > 0) || !(AspectY > 0))
        return std::nullopt;
    const double ySpan = xSpan * (static_cast<double>(b) / a) * (AspectX / AspectY);
    if (!std::isfinite(ySpan))
        return std::nullopt;
    const double middle = YLow / 2 + YHigh / 2;
    const double half = (YHigh < YLow ? -ySpan : ySpan) / 2;
    return std::pair{middle - half, middle + half};
}

void TCustomPlotChart::ApplyIsometricRange(int Layer) {
    // Partial descriptions would recentre on ranges not yet read; Loaded
    // applies it once everything is in.
    if (!FIsometric || FLoading)
        return;
    Layer = std::clamp(Layer, 1, 2);
    const TScaleProps& x = *FScalePropsX[Ix(Layer)];
    TScaleProps& y = *FScalePropsY[Ix(Layer)];
    if (x.Logarithmic() || y.Logarithmic() || FJointLayers->ControlledLayerY(Layer) != Layer)
        return;
    const TPlotGeometry g = Geometry();
    const auto range =
        IsometricYRange(x.RangeLow(), x.RangeHigh(), y.RangeLow(), y.RangeHigh(),
                        g.PlotRight() - g.LRim, g.PlotBottom() - g.TRim, FAspectX, FAspectY);
    if (range)
        ForceAxisRange(y, range->first, range->second);
}

void TCustomPlotChart::ApplyIsometric() {
    if (!FIsometric || FLoading)
        return;
    TFlagGuard gate(FSuppressPaint);
    for (int layer = 1; layer <= 2; ++layer)
        ApplyIsometricRange(layer);
    // Joined axes take their controller's new range.
    for (int layer = 1; layer <= 2; ++layer)
        if (FJointLayers->ControlledLayerX(layer) != layer ||
            FJointLayers->ControlledLayerY(layer) != layer)
            ApplyJointRanges(layer);
    for (std::size_t i = 0; i < 2; ++i) {
        SetScaleProps(*FScaleX[i], *FScalePropsX[i]);
        SetScaleProps(*FScaleY[i], *FScalePropsY[i]);
    }
}
