#pragma once

#include "analysis/ProfileData.h"

#include <array>
#include <cstdint>
#include <optional>

// Positions on each side of the maximum that bound the pulse-window search.
constexpr int PeakHalfWidth = 20;
// Consecutive increases that mark the start of the pulse.
constexpr int RiseSteps = 3;

// Everything computed from one profile; a plain value made afresh by each
// analysis. Results are 32-bit floats rounded where the algorithm rounds them;
// the extremes and OffPeakMax are exact 64-bit copies of bin values.
// A decibel value is absent when its linear ratio is 0 or negative.
struct TProfileStats {
    double MinValue = 0.0;
    std::int32_t MinBin = 0;
    double MaxValue = 0.0;
    std::int32_t MaxBin = 0;

    std::int32_t PeakStart = 0; // may be negative
    std::int32_t PeakEnd = 0;   // may be N or more; the window is empty when below PeakStart

    std::array<float, MaxProfileBins> NormValues{};
    std::int32_t OffPeakCount = 0;
    std::array<float, MaxProfileBins> OffPeakValues{};
    std::array<float, MaxProfileBins> OffPeakNormValues{};
    double OffPeakMax = 0.0;

    float MeanRaw = 0.0f;
    float StdDevRaw = 0.0f;
    bool BaselineKnown = false; // MeanRaw and StdDevRaw were computed
    float MeanNorm = 0.0f;
    float StdDevNorm = 0.0f;
    float SnrRaw = 0.0f;
    std::optional<float> SnrRawDb;
    float SnrNorm = 0.0f;
    std::optional<float> SnrNormDb;
    float SnrHeader = 0.0f;
    std::optional<float> SnrHeaderDb;
};

// Smallest and largest bin value and their first positions.
void ComputeExtremes(const TProfileData& data, TProfileStats& stats);

// Pulse window, shift to zero, off-peak selection, averages and the raw and
// normalised ratios; needs the extremes. Reads ProfileBins, BinValues and
// ProfileAvg only. Raises EInvalidOp / EZeroDivide / EOverflow.
void ComputeProfileStats(const TProfileData& data, TProfileStats& stats);

// The ratio from the suite's own header values; needs MaxValue.
void ComputeHeaderSnr(const TProfileData& data, TProfileStats& stats);

// Mean of entries 0..count-1, the running sum rounded to float after every
// addition. count 0 raises EInvalidOp.
float MeanOf(const std::array<float, MaxProfileBins>& values, std::int32_t count);

// Sample standard deviation (denominator count - 1) of entries 0..count-1.
// Fewer than two entries raise EInvalidOp.
float SampleStdDevOf(const std::array<float, MaxProfileBins>& values, std::int32_t count);
