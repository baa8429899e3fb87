#pragma once

#include "analysis/ProfileData.h"
#include "analysis/ProfileStats.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The profile measures pulsar astronomers compare between tools, in double
// precision from the analysis's own pulse window and off-pulse baseline. A
// measure that cannot be computed is absent, never a NaN or an infinity.
struct TProfileMeasures {
    std::optional<double> Flux;   // sum of (value - mean) over the pulse window
    std::optional<double> Peak;   // largest value - mean
    std::optional<double> WEq;    // equivalent width, Flux / Peak, in bins
    std::optional<double> SnrEq;  // Flux / (stddev * sqrt(WEq))
    std::optional<double> SnrOn;  // Flux / (stddev * sqrt(bins in the window))
    std::optional<double> W50;    // width at half the peak, in bins
    std::optional<double> W10;    // width at a tenth of the peak, in bins
    std::optional<double> Duty50; // W50 as a fraction of the period
};

// The measures' keys, in the order every output lists them.
inline constexpr std::array<std::string_view, 8> ProfileMeasureKeys = {
    "flux", "peak", "w_eq", "snr_eq", "snr_on", "w50", "w10", "duty50"};

// The measures in the order of ProfileMeasureKeys.
std::array<std::optional<double>, 8> MeasureValues(const TProfileMeasures& measures);

// The off-pulse baseline and pulse window the measures start from.
struct TMeasureBasis {
    double Mean = 0.0;            // off-pulse mean of the raw values
    double StdDev = 0.0;          // their sample standard deviation
    std::int32_t WindowStart = 0; // first bin of the pulse window; may lie outside the profile
    std::int32_t WindowEnd = 0;   // last bin; the window is empty when below WindowStart
};

// The measures of a periodic profile. The peak is the first largest value;
// a width walks from it both ways round the period to the first value below
// its level and places each crossing by linear interpolation towards the peak.
TProfileMeasures ComputeProfileMeasures(std::span<const float> values, const TMeasureBasis& basis);

// The measures of an analysed profile, all absent when the analysis stopped
// before the off-pulse mean and deviation.
TProfileMeasures MeasuresOf(const TProfileData& data, const TProfileStats& stats);
