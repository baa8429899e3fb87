#include "analysis/ProfileStats.h"

#include "base/Exception.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TProfileData Profile(const std::vector<float>& values, float avg = 0.0f, float stdDev = 1.0f) {
    TProfileData data;
    data.ProfileBins = static_cast<std::int32_t>(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        data.BinValues[i] = values[i];
    data.ProfileAvg = avg;
    data.ProfileStdDev = stdDev;
    return data;
}

TProfileStats Stats(const TProfileData& data) {
    TProfileStats stats;
    ComputeExtremes(data, stats);
    ComputeProfileStats(data, stats);
    return stats;
}

std::array<float, MaxProfileBins> Table(const std::vector<float>& values) {
    std::array<float, MaxProfileBins> table{};
    std::copy(values.begin(), values.end(), table.begin());
    return table;
}

// A baseline of alternating 1 and 2 with the given values placed on it.
std::vector<float> Baseline(int n, const std::vector<std::pair<int, float>>& placed = {}) {
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = i % 2 ? 2.0f : 1.0f;
    for (const auto& [at, value] : placed)
        v[at] = value;
    return v;
}

} // namespace

TEST(ProfileStats, ExtremesTakeTheFirstOccurrence) {
    struct Case {
        std::vector<float> values;
        double min;
        int minBin;
        double max;
        int maxBin;
    };
    std::vector<float> twoMaxima(60, 1.0f);
    twoMaxima[10] = twoMaxima[50] = 8.0f;
    twoMaxima[20] = twoMaxima[30] = -2.0f;
    const std::vector<Case> cases = {
        {{5, 1, 1, 1, 9}, 1, 1, 9, 4}, {twoMaxima, -2, 20, 8, 10}, {{0.1f}, 0.1f, 0, 0.1f, 0},
        {{3, NAN, 7}, 3, 0, 7, 2},     {{}, 0, 0, 0, 0}, // N = 0: entry 0 of the fresh table
    };
    for (const Case& c : cases) {
        TProfileStats s;
        ComputeExtremes(Profile(c.values), s);
        EXPECT_EQ(s.MinValue, c.min);
        EXPECT_EQ(s.MinBin, c.minBin);
        EXPECT_EQ(s.MaxValue, c.max);
        EXPECT_EQ(s.MaxBin, c.maxBin);
    }
}

TEST(ProfileStats, PulseWindow) {
    struct Case {
        const char* what;
        std::vector<float> values;
        float avg;
        int start;
        int end;
    };
    // Values below 10 before 30, a rise 11..14 at 30..33, the maximum at 40.
    std::vector<float> rise = Baseline(64, {{30, 11}, {31, 12}, {32, 13}, {33, 14}});
    for (int i = 34; i <= 40; ++i)
        rise[i] = 20.0f + i;
    rise[41] = 15.0f;
    rise[42] = 10.0f; // equal to the average: ends the window
    const std::vector<Case> cases = {
        {"rise after lo, ends at a value equal to the average", rise, 10, 30, 42},
        {"no qualifying start, MaxBin 25", Baseline(64, {{25, 50}}), 10, 5, 5},
        {"no start, no end: both bounds", Baseline(64, {{25, 50}}), 0, 5, 45},
        // No start up to hi = 30, one at 40 beyond it: the window is empty.
        {"start beyond hi", Baseline(64, {{10, 50}, {40, 3}, {41, 4}, {42, 5}, {43, 6}}), 2.5f, 40,
         30},
        // PeakStart = 5 - 20 < 0: the end search starts at position 0.
        {"negative start", Baseline(64, {{5, 50}}), 1.5f, -15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TProfileStats s = Stats(Profile(c.values, c.avg));
        EXPECT_EQ(s.PeakStart, c.start);
        EXPECT_EQ(s.PeakEnd, c.end);
    }
}

// A candidate needs its three following positions inside the profile; the
// stale table entries beyond N are never looked at.
TEST(ProfileStats, StartSearchStaysInsideTheProfile) {
    TProfileData data = Profile({1, 2, 1, 2, 1, 1, 0, 2, 3, 4}, 1.5f);
    data.BinValues[10] = 100.0f; // would complete a rise at 7 if it were read
    TProfileStats s;
    ComputeExtremes(data, s);
    ComputeProfileStats(data, s);
    EXPECT_EQ(s.MaxBin, 9);
    EXPECT_EQ(s.PeakStart, -11); // no start: lo; the end search then starts at 0
    EXPECT_EQ(s.PeakEnd, 0);
    EXPECT_EQ(s.OffPeakCount, 9);
}

TEST(ProfileStats, OffPeakSelectionKeepsPositionOrder) {
    // Window 30..44 in 64 bins: off-peak 0-29 and 45-63.
    std::vector<float> v = Baseline(64);
    v[30] = 3;
    v[31] = 4;
    v[32] = 5;
    v[33] = 6;
    for (int i = 34; i <= 43; ++i)
        v[i] = 7;
    v[37] = 9; // the maximum
    v[44] = 7;
    v[45] = 2.5f; // first position after the window, at or below the average
    v[44] = 2.75f;
    const TProfileStats s = Stats(Profile(v, 2.75f));
    EXPECT_EQ(s.PeakStart, 30);
    EXPECT_EQ(s.PeakEnd, 44);
    ASSERT_EQ(s.OffPeakCount, 49);
    EXPECT_EQ(s.OffPeakValues[29], v[29]);
    EXPECT_EQ(s.OffPeakValues[30], 2.5f); // position 45 directly follows position 29
    EXPECT_EQ(s.OffPeakValues[48], v[63]);
    EXPECT_EQ(s.OffPeakMax, 2.5);
}

TEST(ProfileStats, ShiftToZero) {
    // Minimum -3: everything moves up by 3 and the peak becomes Max + 3.
    std::vector<float> v = Baseline(64, {{5, -3}, {40, 30}});
    const TProfileStats s = Stats(Profile(v, 100)); // no start: window 20..60
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(s.NormValues[i], v[i] + 3.0f);
    EXPECT_FLOAT_EQ(s.MeanNorm, s.MeanRaw + 3.0f);
    EXPECT_EQ(s.StdDevNorm, s.StdDevRaw);
    EXPECT_EQ(s.SnrNorm, static_cast<float>((33.0 - s.MeanNorm) / s.StdDevNorm));

    // Minimum exactly 0: no shift, both ratios agree.
    const TProfileStats zero = Stats(Profile(Baseline(64, {{5, 0}, {40, 30}}), 100));
    EXPECT_EQ(zero.NormValues, Profile(Baseline(64, {{5, 0}, {40, 30}})).BinValues);
    EXPECT_EQ(zero.SnrNorm, zero.SnrRaw);
}

// The running sum is rounded to float after every addition.
TEST(ProfileStats, AveragesRoundWhereTheAlgorithmRounds) {
    // 2^24 + 1 rounds back to 2^24 twice: the sum stays 16777216, and its
    // third, 5592405.33, is held as 5592405.5 (the exact mean is 5592406).
    EXPECT_EQ(MeanOf(Table({16777216.0f, 1.0f, 1.0f}), 3), 5592405.5f);
    EXPECT_EQ(MeanOf(Table({0.1f, 0.2f, 0.3f}), 3), 0.2f);
    EXPECT_EQ(MeanOf(Table({7.0f, 8.0f, 100.0f}), 2), 7.5f); // entries past count ignored
    // A running sum beyond float overflows, even when later values would
    // bring it back into range.
    EXPECT_THROW(MeanOf(Table({3e38f, 3e38f, -3e38f}), 3), EOverflow);
    // {1,2,3,4}: squares sum to 5, 5/3 held as a float, then the root.
    EXPECT_EQ(SampleStdDevOf(Table({1, 2, 3, 4}), 4), 1.29099440574645996f);
    EXPECT_EQ(SampleStdDevOf(Table({2, 4, 4, 4, 5, 5, 7, 9}), 8), 2.1380899f);
}

TEST(ProfileStats, Errors) {
    struct Case {
        const char* what;
        TProfileData data;
        std::string message;
        bool headerStep;
        int offPeak = -1; // checked when not -1
    };
    std::vector<float> flatBaseline(64, 1.0f);
    flatBaseline[37] = 6.0f;
    flatBaseline[38] = 7.0f;
    flatBaseline[39] = 8.0f;
    flatBaseline[40] = 9.0f; // window 37..41
    std::vector<float> huge = Baseline(64);
    for (int i = 0; i < 64; ++i)
        huge[i] = i % 2 ? 3e19f : -3e19f;
    const std::vector<Case> cases = {
        {"no bins at all", TProfileData{}, "Invalid floating point operation", false, 0},
        // Maximum at 20, no rise, nothing down to the average: the window is 0..40.
        {"window covers every bin", Profile(Baseline(41, {{20, 50}}), 0.0f),
         "Invalid floating point operation", false, 0},
        {"one off-peak bin", Profile(Baseline(42, {{20, 50}}), 0.0f),
         "Invalid floating point operation", false, 1},
        {"equal off-peak values", Profile(flatBaseline, 5.0f), "Floating point division by zero",
         false, 59},
        {"every value equal", Profile(std::vector<float>(64, 4.0f), 5.0f),
         "Invalid floating point operation", false},
        {"sum of squares beyond float", Profile(huge, 5.0f), "Floating point overflow", false},
        {"header standard deviation 0", Profile(Baseline(64, {{40, 9}}), 1.0f, 0.0f),
         "Floating point division by zero", true},
        {"header 0 and maximum at the average", Profile(Baseline(64, {{40, 9}}), 9.0f, 0.0f),
         "Invalid floating point operation", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProfileStats s;
        ComputeExtremes(c.data, s);
        try {
            ComputeProfileStats(c.data, s);
            ASSERT_TRUE(c.headerStep) << "no error from the profile statistics";
            ComputeHeaderSnr(c.data, s);
            ADD_FAILURE() << "no error";
        } catch (const EMathError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        if (c.offPeak != -1) {
            EXPECT_EQ(s.OffPeakCount, c.offPeak);
        }
    }
}

TEST(ProfileStats, HeaderRatioAndDecibels) {
    TProfileData data = Profile({100}, 20.0f, 10.0f);
    TProfileStats s;
    ComputeExtremes(data, s);
    ComputeHeaderSnr(data, s);
    EXPECT_EQ(s.SnrHeader, 9.0f);
    ASSERT_TRUE(s.SnrHeaderDb);
    EXPECT_NEAR(*s.SnrHeaderDb, 9.5424, 0.00005);

    struct Case {
        float max, avg, stdDev;
        std::optional<float> db;
    };
    const std::vector<Case> cases = {
        {990, 0, 10, 20.0f},        // ratio 100
        {0, 0, 10, 0.0f},           // ratio 1
        {10, 20, 10, std::nullopt}, // ratio 0: absent, no error
        {0, 20, 10, std::nullopt},  // ratio -1
    };
    for (const Case& c : cases) {
        data = Profile({c.max}, c.avg, c.stdDev);
        ComputeExtremes(data, s);
        ComputeHeaderSnr(data, s);
        EXPECT_EQ(s.SnrHeaderDb, c.db) << c.max << " " << c.avg;
    }
}
