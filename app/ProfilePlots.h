#pragma once

// The two profile charts drawn after every analysis: the whole profile with
// its off-peak mean and mean ± one standard deviation, and the off-peak bins
// alone with the off-peak mean and the suite's own average.

#include "analysis/ProfileData.h"
#include "analysis/ProfileStats.h"

#include <cstdint>

class TPlotChart;

// A reference level: the value truncated toward zero to a 32-bit integer.
std::int32_t ProfileLevel(double value);

void PlotProfile(TPlotChart& chart, const TProfileData& data, const TProfileStats& stats);
void PlotCleanedProfile(TPlotChart& chart, const TProfileData& data, const TProfileStats& stats);
