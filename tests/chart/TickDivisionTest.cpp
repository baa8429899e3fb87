// The division of an axis into ticks, as a pure function of its settings:
// drawing order, which ticks carry a label, and the label texts.
#include "chart/TickDivision.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TTickSettings Axis(double low, double high) {
    TTickSettings s;
    s.RangeLow = low;
    s.RangeHigh = high;
    return s;
}

std::vector<double> Values(const std::vector<TTick>& ticks, bool labelled) {
    std::vector<double> out;
    for (const TTick& t : ticks)
        if (t.Labelled == labelled)
            out.push_back(t.Value);
    return out;
}

std::vector<std::string> Labels(const std::vector<TTick>& ticks) {
    std::vector<std::string> out;
    for (const TTick& t : ticks)
        if (t.Labelled)
            out.push_back(t.Text.toStdString());
    return out;
}

using V = std::vector<double>;
using S = std::vector<std::string>;

TEST(TickDivision, LinearSubdivisionTicksComeFirstThenTheLabelledOnes) {
    const std::vector<TTick> ticks = DivideAxis(Axis(0, 100));
    ASSERT_EQ(ticks.size(), 21u + 6u);
    EXPECT_FALSE(ticks[20].Labelled);
    EXPECT_TRUE(ticks[21].Labelled);
    EXPECT_EQ(Values(ticks, false).at(1), 5);
    EXPECT_NEAR(Values(ticks, true).back(), 100, 1e-9);
    EXPECT_EQ(Labels(ticks), (S{"0", "20", "40", "60", "80", "100"}));

    TTickSettings plain = Axis(0, 100);
    plain.ShortTicks = false;
    EXPECT_EQ(DivideAxis(plain).size(), 6u);
}

TEST(TickDivision, LabelTexts) {
    TTickSettings user = Axis(0, 100);
    user.LabelType = ftUserText;
    user.UserTickText = QStringLiteral("a|b|c");
    EXPECT_EQ(Labels(DivideAxis(user)), (S{"a", "b", "c", "c", "c", "c"}));

    TTickSettings inscript = Axis(0, 2);
    inscript.ScaleInscript = QStringLiteral("<&>");
    EXPECT_EQ(Labels(DivideAxis(inscript)).front(), "<0.00>");

    TTickSettings none = Axis(0, 100);
    none.LabelType = ftNoFigs;
    EXPECT_EQ(Labels(DivideAxis(none)), (S(6, "")));

    TTickSettings whole = Axis(0, 1);
    whole.DecPlaces = 0; // only whole numbers are labelled
    EXPECT_EQ(Labels(DivideAxis(whole)), (S{"0", "", "", "", "", "1"}));
}

TEST(TickDivision, LogarithmicAxesByDecade) {
    TTickSettings log = Axis(1, 1000);
    log.Logarithmic = true;
    EXPECT_EQ(Values(DivideAxis(log), true), (V{1, 10, 100, 1000}));
    EXPECT_TRUE(Values(DivideAxis(log), false).empty());
    log.MinTicks = 8; // more than the decades: 2 and 5 labelled, the rest short, by value
    const std::vector<TTick> dense = DivideAxis(log);
    EXPECT_EQ(Values(dense, true), (V{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
    EXPECT_EQ(dense[1].Value, 2);
    EXPECT_EQ(dense[2].Value, 3);
    EXPECT_FALSE(dense[2].Labelled);
    log.RangeHigh = 8; // less than a decade: divided as a linear axis
    EXPECT_EQ(Labels(DivideAxis(log)).front(), "1.0");
}

TEST(TickDivision, RangesBeyondTheDoublesHaveNoTicks) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double Low, High;
    } ranges[] = {{0, inf}, {1, inf}, {-inf, 1}, {nan, 10}, {1, nan}, {-1e308, 1e308}};
    for (const auto& r : ranges)
        for (const bool log : {false, true})
            for (const TFigType type : {ftNum, ftTime, ftDateTime}) {
                SCOPED_TRACE(testing::Message()
                             << r.Low << ".." << r.High << " log " << log << " type " << int{type});
                TTickSettings s = Axis(r.Low, r.High);
                s.Logarithmic = log;
                s.LabelType = type;
                EXPECT_TRUE(DivideAxis(s).empty());
            }
}

TEST(TickDivision, DatesOncePerDayOrChart) {
    TTickSettings dates = Axis(45000.5, 45001.5);
    dates.LabelType = ftDateTime;
    const S perDay = Labels(DivideAxis(dates));
    ASSERT_GE(perDay.size(), 3u);
    EXPECT_EQ(perDay[0], "15-Mar-2023 12:00:00");
    EXPECT_EQ(perDay[1], "18:00:00");
    EXPECT_EQ(perDay[2], "16-Mar-2023 00:00:00");
    dates.DateFormat.SetDateForTime(dtOnePerChart);
    EXPECT_EQ(Labels(DivideAxis(dates))[2], "00:00:00");
    dates.DateFormat.SetDateForTime(dtAllTicks);
    EXPECT_EQ(Labels(DivideAxis(dates))[1], "15-Mar-2023 18:00:00");
}

} // namespace
