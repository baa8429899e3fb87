#include "chart/StandardLayout.h"

#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

namespace {

constexpr std::uint8_t B = 1; // slBottom
constexpr std::uint8_t T = 0; // slTop
constexpr std::uint8_t L = 0; // slLeft
constexpr std::uint8_t R = 1; // slRight
constexpr std::uint8_t TopLft = 0;
constexpr std::uint8_t Center = 1;

constexpr std::array<TLayoutTable, NumChartLayouts> Layouts{{
    {40,
     20,
     50,
     20,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {{{B, 0, 22, taCenter, Center, 0, true},
       {B, 10, 100, taCenter, Center, 0, false},
       {L, 0, -16, taLeftJustify, TopLft, 0, true},
       {L, 10, 100, taRightJustify, TopLft, 0, false}}}},
    {40,
     24,
     100,
     20,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {{{B, 0, 22, taCenter, Center, 0, true},
       {B, 10, 100, taCenter, Center, 0, false},
       {L, 0, -23, taRightJustify, TopLft, 0, true},
       {L, 0, -23, taRightJustify, TopLft, 50, true}}}},
    {40,
     24,
     50,
     50,
     0,
     -20,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {{{B, 0, 22, taCenter, Center, 0, true},
       {B, 10, 100, taCenter, Center, 0, false},
       {L, 0, -23, taRightJustify, TopLft, 0, true},
       {R, 0, -23, taLeftJustify, TopLft, 0, true}}}},
    {70,
     24,
     100,
     20,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {{{B, -20, 7, taRightJustify, TopLft, 0, true},
       {B, -20, 7, taRightJustify, TopLft, 30, true},
       {L, 0, -23, taRightJustify, TopLft, 0, true},
       {L, 0, -23, taRightJustify, TopLft, 50, true}}}},
    {40,
     64,
     50,
     50,
     0,
     -60,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {{{B, 0, 20, taCenter, Center, 0, true},
       {T, 0, -40, taCenter, Center, 0, true},
       {L, 0, -40, taRightJustify, TopLft, 0, true},
       {R, 0, -40, taLeftJustify, TopLft, 0, true}}}},
}};

void ApplyAxis(TScaleProps& Props, const TLayoutAxis& Axis) {
    Props.SetCaptionPosX(Axis.CaptionPosX);
    Props.SetCaptionPosY(Axis.CaptionPosY);
    Props.SetCaptionAlignment(Axis.CaptionAlignment);
    Props.SetCaptionAnchor(static_cast<TScaleUnitAnchor>(Axis.CaptionAnchor));
    Props.SetScalePos(Axis.ScalePos);
    Props.SetVisible(Axis.Visible);
}

} // namespace

const TLayoutTable& ChartLayoutTable(TChartLayout Layout) {
    return Layouts[Layout < NumChartLayouts ? Layout : 0];
}

void TCustomPlotChart::SetStdLayout(TChartLayout Layout) {
    const bool gate = FSuppressPaint;
    FSuppressPaint = true;
    const TLayoutTable& row = ChartLayoutTable(Layout);
    SetLRim(row.LRim);
    SetRRim(row.RRim);
    SetTRim(row.TRim);
    SetBRim(row.BRim);
    SetCaptionPosX(row.CaptionPosX);
    SetCaptionPosY(row.CaptionPosY);
    SetCaptionAlignment(row.CaptionAlignment);
    SetCaptionAnchorHoriz(row.CaptionAnchorHoriz);
    SetCaptionAnchorVert(row.CaptionAnchorVert);
    for (int layer = 1; layer <= 2; ++layer) {
        const TLayoutAxis& x = row.Axes[layer - 1];
        const TLayoutAxis& y = row.Axes[layer + 1];
        ScalePropsX(layer).SetScaleLocation(static_cast<TScaleLocationHoriz>(x.Location));
        ApplyAxis(ScalePropsX(layer), x);
        ScalePropsY(layer).SetScaleLocation(static_cast<TScaleLocationVert>(y.Location));
        ApplyAxis(ScalePropsY(layer), y);
    }
    for (int layer = 1; layer <= 2; ++layer) {
        SetScaleProps(ScaleX(layer), ScalePropsX(layer));
        SetScaleProps(ScaleY(layer), ScalePropsY(layer));
    }
    FStandardLayout = Layout < NumChartLayouts ? Layout : lay_X1Bottom_Y1Left;
    SetSuppressPaint(gate);
}
