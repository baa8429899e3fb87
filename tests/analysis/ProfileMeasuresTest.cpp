#include "analysis/ProfileMeasures.h"
#include "analysis/AnalysisCommand.h"
#include "tests/analysis/ProfileFixture.h"

#include <cmath>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

std::vector<float> Floats(const std::vector<double>& values) {
    return {values.begin(), values.end()};
}

TProfileMeasures Measures(const std::vector<float>& values, TMeasureBasis basis) {
    return ComputeProfileMeasures(values, basis);
}

// The whole profile as the pulse window.
TMeasureBasis Basis(double mean, double stdDev, std::size_t bins) {
    return {mean, stdDev, 0, static_cast<std::int32_t>(bins) - 1};
}

// A Gaussian of height 1 and standard deviation width (bins) round centre,
// on a baseline of 0, held as floats like the analysis's bin values.
std::vector<float> Gaussian(std::size_t bins, double centre, double width) {
    std::vector<double> v(bins);
    for (std::size_t i = 0; i < bins; ++i)
        v[i] = std::exp(-std::pow((static_cast<double>(i) - centre) / width, 2) / 2);
    return Floats(v);
}

std::vector<float> Rotated(std::vector<float> v, std::size_t by) {
    std::rotate(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(by % v.size()), v.end());
    return v;
}

} // namespace

// A box of height h = 100 over w = 5 bins on a baseline alternating +-0.25,
// through the whole analysis: the header's average lies below every value,
// so the pulse window is the search range 10..50 around the box, whose
// baseline bins cancel, and the off-pulse mean is exactly 0.
TEST(ProfileMeasures, BoxPulseThroughTheAnalysis) {
    fixture::TTempDir dir;
    fixture::TProfileSpec spec;
    for (int i = 0; i < 65; ++i)
        spec.Values.push_back(i >= 30 && i <= 34 ? "100" : i % 2 ? "-0.25" : "0.25");
    spec.Avg = "-1000";
    const std::string path = dir.Write("box.torvane", fixture::ProfileText(spec));
    TProfileData data;
    const TAnalysisResult result = RunAnalysisCommand(path, data, FormatSettings{});
    ASSERT_FALSE(result.Error) << result.ErrorMessage;
    ASSERT_EQ(result.Stats.PeakStart, 10);
    ASSERT_EQ(result.Stats.PeakEnd, 50);
    ASSERT_EQ(result.Stats.MeanRaw, 0.0f);

    const TProfileMeasures m = MeasuresOf(data, result.Stats);
    // 24 off-pulse values of +-0.25 around a mean of 0.
    const double sigma = 0.25 * std::sqrt(24.0 / 23.0);
    EXPECT_EQ(m.Flux, 500.0);
    EXPECT_EQ(m.Peak, 100.0);
    EXPECT_EQ(m.WEq, 5.0);
    ASSERT_TRUE(m.SnrEq && m.SnrOn && m.W50 && m.W10 && m.Duty50);
    EXPECT_NEAR(*m.SnrEq / (100 * std::sqrt(5.0) / sigma), 1, 1e-6);
    EXPECT_NEAR(*m.SnrOn / (500 / (sigma * std::sqrt(41.0))), 1, 1e-6);
    EXPECT_NEAR(*m.W50, 5, 0.01);
    // Linear interpolation puts each 10 % crossing 0.9 of a bin past the
    // box's edge bins: w - 1 + 2 * 0.9.
    EXPECT_NEAR(*m.W10, 5.8, 0.01);
    EXPECT_DOUBLE_EQ(*m.Duty50, *m.W50 / 65);
}

// Widths of a sampled Gaussian against 2 sqrt(2 ln(1/f)) times its standard
// deviation; wide enough that linear interpolation errs by under 1e-3 bins
// at half the peak (and under 1e-2 at a tenth, where it bends more). The sum of its samples is
// sqrt(2 pi) times its standard deviation, so that is its equivalent width.
TEST(ProfileMeasures, GaussianWidths) {
    const struct {
        double centre;
        double width;
    } cases[] = {{500, 90}, {470.3, 92}, {530.5, 88}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.centre);
        const std::vector<float> v = Gaussian(1000, c.centre, c.width);
        const TProfileMeasures m = Measures(v, Basis(0, 0.01, v.size()));
        ASSERT_TRUE(m.W50 && m.W10 && m.WEq && m.SnrEq && m.Duty50);
        // The levels are fractions of the largest sample, just below 1 when
        // the centre lies between bins.
        const auto width = [&](double f) {
            return 2 * c.width * std::sqrt(2 * std::log(1 / (f * *m.Peak)));
        };
        EXPECT_NEAR(*m.W50, width(0.5), 1e-3);
        EXPECT_NEAR(*m.W10, width(0.1), 1e-2);
        EXPECT_NEAR(*m.Duty50, *m.W50 / 1000, 1e-12);
        EXPECT_NEAR(*m.WEq / (std::sqrt(2 * Pi) * c.width / *m.Peak), 1, 1e-6);
        EXPECT_NEAR(*m.SnrEq, std::sqrt(*m.Flux * *m.Peak) / 0.01, 1e-9 * *m.SnrEq);
    }
}

// A triangle 2, 6, 10, 6, 2 on 0: the half level 5 lies a quarter of a bin
// beyond the 6s, the tenth (1) half a bin beyond the 2s. The widths are the
// same wherever the pulse lies, across the ends of the period included;
// walking stops after n - 1 steps, so a pulse filling all but the peak's
// own bin is still measured.
TEST(ProfileMeasures, WidthsWrapRoundThePeriod) {
    std::vector<float> centred(24, 0.0f);
    const float triangle[] = {2, 6, 10, 6, 2};
    std::copy(std::begin(triangle), std::end(triangle), centred.begin() + 10);
    for (const std::size_t by : {0u, 9u, 10u, 11u, 12u, 13u, 23u}) {
        SCOPED_TRACE(by);
        const std::vector<float> v = Rotated(centred, by);
        const TProfileMeasures m = Measures(v, Basis(0, 1, v.size()));
        ASSERT_TRUE(m.W50 && m.W10);
        EXPECT_DOUBLE_EQ(*m.W50, 2.5);
        EXPECT_DOUBLE_EQ(*m.W10, 5.0);
    }
    // Everything at the peak's level but the bin before it.
    const std::vector<float> wide = {3, 10, 10, 10, 10};
    const TProfileMeasures m = Measures(wide, Basis(0, 1, wide.size()));
    ASSERT_TRUE(m.W50);
    // Rightwards three more bins of 10, then the 3 after wrapping round:
    // 3 + 5/7; leftwards the 3 at once: 5/7.
    EXPECT_DOUBLE_EQ(*m.W50, 3 + 5.0 / 7 + 5.0 / 7);
}

// Each measure that cannot be computed is absent, never NaN or infinite;
// the others stay.
TEST(ProfileMeasures, AbsentCases) {
    const std::vector<float> pulse = {0, 1, 5, 9, 5, 1, 0, 1};
    const struct {
        const char* what;
        std::vector<float> values;
        TMeasureBasis basis;
        const char* present; // one letter per measure in key order: + present, - absent
    } cases[] = {
        {"ordinary", pulse, {0.5, 0.5, 1, 5}, "++++++++"},
        {"no deviation", pulse, {0.5, 0, 1, 5}, "+++--+++"},
        {"negative deviation", pulse, {0.5, -1, 1, 5}, "+++--+++"},
        {"window after the profile", pulse, {0.5, 0.5, 8, 12}, "-+---+++"},
        {"window before the profile", pulse, {0.5, 0.5, -9, -1}, "-+---+++"},
        {"window ends before it starts", pulse, {0.5, 0.5, 4, 3}, "-+---+++"},
        {"window over a dip: flux below 0", pulse, {0.5, 0.5, 6, 6}, "+++-++++"},
        {"flux of 0", pulse, {0.5, 0.5, 6, 7}, "+++-++++"},
        {"flat: no peak above the mean", {4, 4, 4, 4}, {4, 1, 0, 3}, "++--+---"},
        {"peak below the mean", {4, 4, 4, 4}, {5, 1, 0, 3}, "++--+---"},
        {"no value below half the peak", {10, 9, 8, 9}, {0, 1, 0, 3}, "+++++---"},
        {"none below a tenth only", {10, 4, 3, 4}, {0, 1, 0, 3}, "++++++-+"},
        {"one bin", {7}, {0, 1, 0, 0}, "+++++---"},
        {"no bins", {}, {0, 1, 0, 0}, "--------"},
        {"mean not a number", pulse, {std::nan(""), 1, 1, 5}, "--------"},
        {"infinite deviation", pulse, {0.5, HUGE_VAL, 1, 5}, "+++--+++"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto values = MeasureValues(Measures(c.values, c.basis));
        std::string present;
        for (const std::optional<double>& v : values) {
            present += v ? '+' : '-';
            if (v) {
                EXPECT_TRUE(std::isfinite(*v));
            }
        }
        EXPECT_EQ(present, c.present);
    }
}

// An analysis that stopped before the off-pulse mean and deviation leaves
// every measure absent; one that stopped later, in the header's ratio,
// still has them.
TEST(ProfileMeasures, OnlyAnalysesThatReachedTheBaseline) {
    fixture::TTempDir dir;
    fixture::TProfileSpec one;
    one.Values = {"7"}; // no deviation of a single value
    fixture::TProfileSpec zeroHeader;
    for (int i = 0; i < 64; ++i)
        zeroHeader.Values.push_back(i == 30 ? "60" : i % 2 ? "11" : "10");
    zeroHeader.Avg = "12";
    zeroHeader.StdDev = "0"; // the header's ratio divides by it
    const struct {
        const char* file;
        std::string text;
        bool measured;
    } cases[] = {
        {"missing.torvane", "", false},
        {"one.torvane", fixture::ProfileText(one), false},
        {"zero.torvane", fixture::ProfileText(zeroHeader), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = c.text.empty() ? dir.Path(c.file) : dir.Write(c.file, c.text);
        TProfileData data;
        const TAnalysisResult result = RunAnalysisCommand(path, data, FormatSettings{});
        ASSERT_TRUE(result.Error);
        const TProfileMeasures m = MeasuresOf(data, result.Stats);
        EXPECT_EQ(m.Peak.has_value(), c.measured);
        EXPECT_EQ(m.W50.has_value(), c.measured);
        if (c.measured) {
            EXPECT_EQ(*m.Peak, 60.0 - result.Stats.MeanRaw);
        }
    }
}
