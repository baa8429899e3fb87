#include "analysis/ProfileStats.h"

#include "base/FloatOps.h"

#include <algorithm>
#include <cmath>

namespace {

// The bin count as far as the table reaches; a negative count means no bins.
std::int32_t BinCount(const TProfileData& data) {
    return std::clamp<std::int32_t>(data.ProfileBins, 0, MaxProfileBins);
}

std::int32_t EntryCount(std::int32_t count) {
    return std::min<std::int32_t>(count, MaxProfileBins);
}

// A float sum or difference of two floats is exactly their double result
// rounded to float (a double has more than twice a float's precision), and
// quicker, above all in a chain of dependent additions. A result that is no
// longer finite raises what that rounding would have raised.
float Finite(float x) {
    if (!std::isfinite(x))
        RoundToFloat(x);
    return x;
}

// The sample standard deviation of values around their mean, as
// SampleStdDevOf computes it; the statistics pass the mean they already hold.
float SampleStdDevAround(const std::array<float, MaxProfileBins>& values, std::int32_t count,
                         float mean) {
    float sumOfSquares = 0.0f;
    for (std::int32_t i = 0; i < EntryCount(count); ++i) {
        const double d = Finite(values[i] - mean);
        sumOfSquares = RoundToFloat(sumOfSquares + d * d);
    }
    return RoundToFloat(
        CheckedSqrt(RoundToFloat(CheckedDiv(sumOfSquares, static_cast<double>(count) - 1.0))));
}

std::optional<float> Decibels(float ratio) {
    if (!(ratio > 0.0f))
        return std::nullopt;
    return RoundToFloat(10.0 * CheckedLog10(ratio));
}

void FindPulseWindow(const TProfileData& data, TProfileStats& stats) {
    const std::int32_t n = BinCount(data);
    const auto& v = data.BinValues;
    const float avg = data.ProfileAvg;
    const std::int32_t lo = stats.MaxBin - PeakHalfWidth;
    const std::int32_t hi = stats.MaxBin + PeakHalfWidth;

    stats.PeakStart = lo;
    // A candidate needs its three following positions inside the profile.
    for (std::int32_t k = std::max(lo, 0); k + RiseSteps <= n - 1; ++k) {
        if (v[k] > avg && v[k + 1] > v[k] && v[k + 2] > v[k + 1] && v[k + 3] > v[k + 2]) {
            stats.PeakStart = k;
            break;
        }
    }

    stats.PeakEnd = hi;
    for (std::int32_t l = std::max(stats.PeakStart, 0); l <= hi && l <= n - 1; ++l) {
        if (v[l] <= avg) {
            stats.PeakEnd = l;
            break;
        }
    }
}

} // namespace

void ComputeExtremes(const TProfileData& data, TProfileStats& stats) {
    const auto& v = data.BinValues;
    stats.MinValue = stats.MaxValue = v[0];
    stats.MinBin = stats.MaxBin = 0;
    for (std::int32_t i = 0; i < BinCount(data); ++i) {
        if (v[i] < stats.MinValue) {
            stats.MinValue = v[i];
            stats.MinBin = i;
        }
        if (v[i] > stats.MaxValue) {
            stats.MaxValue = v[i];
            stats.MaxBin = i;
        }
    }
}

void ComputeProfileStats(const TProfileData& data, TProfileStats& stats) {
    const std::int32_t n = BinCount(data);
    const auto& v = data.BinValues;

    stats.BaselineKnown = false;
    FindPulseWindow(data, stats);

    const bool shifted = stats.MinValue < 0.0;
    const float minValue = static_cast<float>(stats.MinValue); // a bin value, exactly
    for (std::int32_t i = 0; i < n; ++i)
        stats.NormValues[i] = shifted ? Finite(v[i] - minValue) : v[i];

    stats.OffPeakCount = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        if (i < stats.PeakStart || i > stats.PeakEnd) {
            stats.OffPeakValues[stats.OffPeakCount] = v[i];
            stats.OffPeakNormValues[stats.OffPeakCount] = stats.NormValues[i];
            ++stats.OffPeakCount;
        }
    }

    stats.OffPeakMax = stats.OffPeakValues[0];
    for (std::int32_t j = 0; j < stats.OffPeakCount; ++j)
        if (stats.OffPeakValues[j] > stats.OffPeakMax)
            stats.OffPeakMax = stats.OffPeakValues[j];

    stats.MeanRaw = MeanOf(stats.OffPeakValues, stats.OffPeakCount);
    stats.StdDevRaw = SampleStdDevAround(stats.OffPeakValues, stats.OffPeakCount, stats.MeanRaw);
    stats.BaselineKnown = true;
    stats.MeanNorm = MeanOf(stats.OffPeakNormValues, stats.OffPeakCount);
    stats.StdDevNorm =
        SampleStdDevAround(stats.OffPeakNormValues, stats.OffPeakCount, stats.MeanNorm);

    stats.SnrRaw = RoundToFloat(CheckedDiv(stats.MaxValue - stats.MeanRaw, stats.StdDevRaw));
    // The shifted profile peaks at MaxValue - MinValue.
    const double normPeak = shifted ? stats.MaxValue - stats.MinValue : stats.MaxValue;
    stats.SnrNorm = RoundToFloat(CheckedDiv(normPeak - stats.MeanNorm, stats.StdDevNorm));
    stats.SnrRawDb = Decibels(stats.SnrRaw);
    stats.SnrNormDb = Decibels(stats.SnrNorm);
}

void ComputeHeaderSnr(const TProfileData& data, TProfileStats& stats) {
    const float diff = RoundToFloat(stats.MaxValue - data.ProfileAvg);
    // Deliberately one more than (Max - Avg) / StdDev: the figures users compare
    // against are computed this way.
    stats.SnrHeader = RoundToFloat(
        CheckedDiv(static_cast<double>(diff) + data.ProfileStdDev, data.ProfileStdDev));
    stats.SnrHeaderDb = Decibels(stats.SnrHeader);
}

float MeanOf(const std::array<float, MaxProfileBins>& values, std::int32_t count) {
    float sum = 0.0f;
    for (std::int32_t i = 0; i < EntryCount(count); ++i)
        sum = Finite(sum + values[i]);
    return RoundToFloat(CheckedDiv(sum, count));
}

float SampleStdDevOf(const std::array<float, MaxProfileBins>& values, std::int32_t count) {
    return SampleStdDevAround(values, count, MeanOf(values, count));
}
