#include "app/ProfilePlots.h"

#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"

namespace {

constexpr TColor ProfileColor = 0xFF0000;
constexpr int LineEnd = 100000;
constexpr std::uint8_t BoldWidth = 3;

} // namespace

std::int32_t ProfileLevel(double value) {
    return static_cast<std::int32_t>(value);
}

void PlotProfile(TPlotChart& chart, const TProfileData& data, const TProfileStats& stats) {
    const std::int32_t n = data.ProfileBins;
    const std::int32_t mean = ProfileLevel(stats.MeanRaw);
    const std::int32_t upper =
        ProfileLevel(static_cast<double>(stats.MeanRaw) + static_cast<double>(stats.StdDevRaw));
    const std::int32_t lower =
        ProfileLevel(static_cast<double>(stats.MeanRaw) - static_cast<double>(stats.StdDevRaw));

    chart.ClearGraf();
    chart.SetTextAlignment(taCenter);
    chart.SetChartCaption(QStringLiteral("Torvane plot with  Average and StdDev ( without peak )"));
    chart.SetDataCol(ProfileColor);
    chart.MoveTo(0, 0);
    chart.Scale1X().SetRangeHigh(static_cast<double>(n));
    chart.Scale1X().SetRangeLow(0);
    chart.Scale1Y().SetRangeHigh(stats.MaxValue);
    chart.Scale1Y().SetRangeLow(stats.MinValue);
    for (std::int32_t i = 0; i < n; i += 2)
        chart.DrawTo(static_cast<int>(i), static_cast<double>(data.BinValues[i]));
    chart.SetLineWid(BoldWidth);
    chart.Line(0, mean, LineEnd, mean);
    chart.SetLineWid(1);
    chart.Line(0, upper, LineEnd, upper);
    chart.Line(0, lower, LineEnd, lower);
    chart.ShowGraf();
}

void PlotCleanedProfile(TPlotChart& chart, const TProfileData& data, const TProfileStats& stats) {
    const std::int32_t n = stats.OffPeakCount;
    const std::int32_t mean = ProfileLevel(stats.MeanRaw);
    const std::int32_t header = ProfileLevel(data.ProfileAvg);

    chart.ClearGraf();
    chart.SetChartCaption(QStringLiteral("Cleaned : Bold  average w/o peak  Slim ZELMAR average"));
    chart.SetDataCol(ProfileColor);
    chart.MoveTo(0, 0);
    chart.Scale1X().SetRangeHigh(static_cast<double>(n));
    chart.Scale1X().SetRangeLow(0);
    chart.Scale1Y().SetRangeHigh(stats.OffPeakMax);
    chart.Scale1Y().SetRangeLow(stats.MinValue);
    for (std::int32_t j = 0; j < n; j += 2)
        chart.DrawTo(static_cast<int>(j), static_cast<double>(stats.OffPeakValues[j]));
    chart.SetLineWid(BoldWidth);
    chart.Line(0, mean, LineEnd, mean);
    chart.SetLineWid(1);
    chart.Line(0, header, LineEnd, header);
    chart.ShowGraf();
}
