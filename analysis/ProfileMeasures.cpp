#include "analysis/ProfileMeasures.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<double> IfFinite(double x) {
    return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

// Distance in bins from the peak to where the profile falls below level on
// one side (step +1: rightwards, -1: leftwards), wrapping round the period;
// absent when no value on that side falls below it within n - 1 steps.
// Only called with level below the peak, so the value towards the peak is
// never below level and the interpolation never divides by zero.
std::optional<double> CrossingOffset(std::span<const float> values, std::size_t peakBin,
                                     double mean, double level, int step) {
    const std::size_t n = values.size();
    double inner = values[peakBin] - mean;
    for (std::size_t k = 1; k < n; ++k) {
        const std::size_t j = step > 0 ? (peakBin + k) % n : (peakBin + n - k) % n;
        const double outer = values[j] - mean;
        if (outer < level)
            return static_cast<double>(k - 1) + (inner - level) / (inner - outer);
        inner = outer;
    }
    return std::nullopt;
}

std::optional<double> WidthAt(std::span<const float> values, std::size_t peakBin, double mean,
                              double level) {
    const std::optional<double> right = CrossingOffset(values, peakBin, mean, level, +1);
    const std::optional<double> left = CrossingOffset(values, peakBin, mean, level, -1);
    if (!right || !left)
        return std::nullopt;
    return IfFinite(*right + *left);
}

} // namespace

std::array<std::optional<double>, 8> MeasureValues(const TProfileMeasures& m) {
    return {m.Flux, m.Peak, m.WEq, m.SnrEq, m.SnrOn, m.W50, m.W10, m.Duty50};
}

TProfileMeasures ComputeProfileMeasures(std::span<const float> values, const TMeasureBasis& basis) {
    TProfileMeasures m;
    const std::size_t n = values.size();
    const double mean = basis.Mean;
    if (n == 0 || !std::isfinite(mean))
        return m;

    const std::size_t peakBin =
        static_cast<std::size_t>(std::max_element(values.begin(), values.end()) - values.begin());
    const double peak = values[peakBin] - mean;
    m.Peak = IfFinite(peak);
    const bool peakAbove = m.Peak && peak > 0.0;

    // The window clipped to the profile; wide integers keep the ends exact.
    const std::int64_t first = std::max<std::int64_t>(basis.WindowStart, 0);
    const std::int64_t last =
        std::min<std::int64_t>(basis.WindowEnd, static_cast<std::int64_t>(n) - 1);
    const double sigma = basis.StdDev;
    const bool sigmaUsable = std::isfinite(sigma) && sigma > 0.0;
    if (last >= first) {
        double flux = 0.0;
        for (std::int64_t i = first; i <= last; ++i)
            flux += values[static_cast<std::size_t>(i)] - mean;
        m.Flux = IfFinite(flux);
        const double onBins = static_cast<double>(last - first + 1);
        if (m.Flux && sigmaUsable)
            m.SnrOn = IfFinite(flux / (sigma * std::sqrt(onBins)));
        if (m.Flux && peakAbove) {
            const double wEq = flux / peak;
            m.WEq = IfFinite(wEq);
            if (m.WEq && wEq > 0.0 && sigmaUsable)
                m.SnrEq = IfFinite(flux / (sigma * std::sqrt(wEq)));
        }
    }

    if (peakAbove) {
        m.W50 = WidthAt(values, peakBin, mean, 0.5 * peak);
        m.W10 = WidthAt(values, peakBin, mean, 0.1 * peak);
        if (m.W50)
            m.Duty50 = *m.W50 / static_cast<double>(n);
    }
    return m;
}

TProfileMeasures MeasuresOf(const TProfileData& data, const TProfileStats& stats) {
    if (!stats.BaselineKnown)
        return {};
    const std::size_t n =
        static_cast<std::size_t>(std::clamp<std::int32_t>(data.ProfileBins, 0, MaxProfileBins));
    return ComputeProfileMeasures(std::span<const float>(data.BinValues.data(), n),
                                  {stats.MeanRaw, stats.StdDevRaw, stats.PeakStart, stats.PeakEnd});
}
