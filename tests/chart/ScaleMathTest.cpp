// Tick spacing and the label texts a linear axis shows, range by range.
#include "chart/ScaleMath.h"
#include "chart/Scale.h"
#include "tests/common/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// The labels a helper scale draws for a range, in drawing order.
std::vector<std::string> Labels(double low, double high, int minTicks, int decPlaces,
                                TFigType type = ftNum, const QString& userText = {},
                                const QString& inscript = {}) {
    TRecordingCanvas canvas;
    TScale scale;
    scale.SetBounds(0, 0, 600, 100);
    scale.SetTransparent(true);
    scale.SetIsHelper(true);
    scale.UseForeignCanvas(&canvas, 0, 0);
    scale.SetScaleType(sctXT);
    scale.SetRange(low, high);
    scale.SetMinTicks(minTicks);
    scale.SetDecPlaces(decPlaces);
    scale.SetLabelType(type);
    scale.SetUserTickText(userText);
    scale.SetScaleInscript(inscript);
    scale.ForcePaint();
    std::vector<std::string> out;
    for (const TCanvasRecord& r : canvas.OfKind(TCanvasOp::TextOut))
        out.push_back(r.Text.toStdString());
    return out;
}

std::vector<std::string> Texts(std::initializer_list<const char*> list) {
    return {list.begin(), list.end()};
}

struct RangeCase {
    double low, high;
    int minTicks;
    double start, step;
    int nsub;
    std::vector<std::string> labels; // with DecPlaces -2
};

TEST(ScaleMath, TickSpacingAndLabelsPerRange) {
    const RangeCase cases[] = {
        {0, 100, 3, 0, 20, 4, Texts({"0", "20", "40", "60", "80", "100"})},
        {0, 64, 3, 0, 20, 4, Texts({"0", "20", "40", "60"})},
        {0, 1, 3, 0, 0.2, 4, Texts({"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"})},
        // An exact fit of 2 per interval is not taken.
        {0, 6, 3, 0, 1, 5, Texts({"0.0", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0"})},
        {0, 2, 3, 0, 0.5, 5, Texts({"0.00", "0.50", "1.00", "1.50", "2.00"})},
        {0, 10, 0, 0, 1, 5,
         Texts({"0.0", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0", "9.0", "10.0"})},
        {5, 0, 3, 5, -1, 5, Texts({"5.0", "4.0", "3.0", "2.0", "1.0", "0.0"})},
        {0, 2e6, 3, 0, 5e5, 5, Texts({"0.0", " 5.0E+05", " 1.0E+06", " 1.5E+06", " 2.0E+06"})},
        // A power of ten per interval is taken; 2 or 5 times one is not.
        {0, 30, 3, 0, 10, 5, Texts({"0.0", "10.0", "20.0", "30.0"})},
        {0, 15, 3, 0, 2, 4, Texts({"0.0", "2.0", "4.0", "6.0", "8.0", "10.0", "12.0", "14.0"})},
        // The first tick is the first multiple of the step inside the range.
        {-0.3, 0.7, 3, -0.2, 0.2, 4, Texts({"-0.20", "0.00", "0.20", "0.40", "0.60"})},
        // Whole-number steps run downwards on a falling range, from the first
        // whole number at or below its start, as they run upwards on a rising one.
        {10, 0, 0, 10, -1, 5,
         Texts({"10.0", "9.0", "8.0", "7.0", "6.0", "5.0", "4.0", "3.0", "2.0", "1.0", "0.0"})},
        {5.5, -2.5, 0, 5, -1, 5, Texts({"5.0", "4.0", "3.0", "2.0", "1.0", "0.0", "-1.0", "-2.0"})},
        {-2.5, 5.5, 0, -2, 1, 5, Texts({"-2.0", "-1.0", "0.0", "1.0", "2.0", "3.0", "4.0", "5.0"})},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high << " n=" << c.minTicks);
        double start = -99, step = -99;
        int nsub = -99;
        CalcScalePars(c.minTicks, c.low, c.high, start, step, nsub);
        EXPECT_NEAR(start, c.start, 1e-12 * std::max(1.0, std::fabs(c.step)));
        EXPECT_NEAR(step, c.step, 1e-12 * std::fabs(c.step));
        EXPECT_EQ(nsub, c.nsub);
        EXPECT_EQ(Labels(c.low, c.high, c.minTicks, -2), c.labels);
    }
}

TEST(ScaleMath, WholeNumberStepsWithoutSubdivisionsAboveTen) {
    double start, step;
    int nsub;
    CalcScalePars(0, 0, 30, start, step, nsub);
    EXPECT_EQ(step, 1);
    EXPECT_EQ(nsub, 1);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(Labels(0, 30, 0, -2).size(), 31u);
    EXPECT_EQ(Labels(30, 0, 0, -2).size(), 31u);
    CalcScalePars(3, 4, 4, start, step, nsub);
    EXPECT_EQ(step, 0);
    EXPECT_EQ(start, 4);
}

TEST(ScaleMath, StepsBelowThePrecisionOfTheRangeStartAtItsEnd) {
    // 2^53 + 2: one less rounds to 2^53, and adding 1 to 2^53 gives 2^53 again.
    const double low = 9007199254740994.0;
    for (const int minTicks : {0, 3}) {
        SCOPED_TRACE(minTicks);
        double start, step;
        int nsub;
        CalcScalePars(minTicks, low, low + 8, start, step, nsub);
        EXPECT_EQ(start, low);
        EXPECT_GT(step, 0);
    }
}

TEST(ScaleMath, AutomaticDecimalsBySpan) {
    struct {
        double span;
        int decimals;
    } cases[] = {{1e6, ExponentDecimals},
                 {1e-4, ExponentDecimals},
                 {100, 0},
                 {50, 0},
                 {42, 1},
                 {3.6, 1},
                 {3.4, 2},
                 {0.3, 2},
                 {0.2, 3},
                 {0.02, 4},
                 {0.0019, 5},
                 {0.00015, 6}};
    for (const auto& c : cases) {
        EXPECT_EQ(LabelDecimals(-2, 0, c.span), c.decimals) << c.span;
        EXPECT_EQ(LabelDecimals(-3, c.span, 0), c.decimals) << c.span;
    }
    EXPECT_EQ(LabelDecimals(-1, 0, 1), ExponentDecimals);
    EXPECT_EQ(LabelDecimals(3, 0, 1e9), 3);
}

TEST(ScaleMath, FixedAndExponentForms) {
    struct {
        double v;
        int d;
        const char* text;
    } fixed[] = {
        {0.125, 2, "0.13"}, // halves away from zero
        {-0.125, 2, "-0.13"}, {2.5, 0, "3"},
        {-2.5, 0, "-3"},      {-0.001, 2, "-0.00"}, // small negatives keep their sign
        {1.005, 2, "1.00"}, // rounded on its 18-digit expansion, just below the half
        {99.96, 1, "100.0"},  {1234567.0, 0, "1234567"},
        {0.5, 3, "0.500"},    {7e36, 2, " 7.0E+36"}, // too large for the fixed form
    };
    for (const auto& c : fixed)
        EXPECT_EQ(FixedForm(c.v, c.d).toStdString(), c.text) << c.v << " " << c.d;

    EXPECT_EQ(ExponentForm(15000), QStringLiteral(" 1.5E+04"));
    EXPECT_EQ(ExponentForm(-2.46e-7), QStringLiteral("-2.5E-07"));
    EXPECT_EQ(ExponentForm(0), QStringLiteral(" 0.0E+00"));
    EXPECT_EQ(ExponentForm(1e120), QStringLiteral("********"));
}

TEST(ScaleMath, ZeroRuleAndCutting) {
    // A value negligible against the range is exactly zero: no "-0.00".
    EXPECT_EQ(NumLabelText(-1e-17, -1, 1, 2, -2), QStringLiteral("0.00"));
    // On very wide ranges zero reads "0" or "0.0".
    EXPECT_EQ(NumLabelText(0, -2e5, 2e5, 0, -2), QStringLiteral("0"));
    EXPECT_EQ(NumLabelText(0, -2e5, 2e5, 3, 3), QStringLiteral("0.0"));
    EXPECT_EQ(NumLabelText(0, 0, 1e5, 3, 3), QStringLiteral("0.000"));
    // Longer than 14 characters: cut.
    EXPECT_EQ(NumLabelText(123.456, 0, 1000, 12, 12), QStringLiteral("123.4560000000"));
    // DecPlaces 0 labels whole numbers only.
    EXPECT_EQ(Labels(0, 1, 3, 0), Texts({"0", "1"}));
    EXPECT_EQ(Labels(0, 2, 3, 0), Texts({"0", "1", "2"}));
}

TEST(ScaleMath, UserTextsInscriptAndLabelHook) {
    EXPECT_EQ(Labels(0, 100, 3, -2, ftUserText, QStringLiteral("a|b|c")),
              Texts({"a", "b", "c", "c", "c", "c"}));
    EXPECT_TRUE(Labels(0, 100, 3, -2, ftUserText).empty());
    EXPECT_EQ(Labels(0, 64, 3, -2, ftNum, {}, QStringLiteral("& Hz")),
              Texts({"0 Hz", "20 Hz", "40 Hz", "60 Hz"}));
    EXPECT_EQ(Labels(0, 64, 3, -2, ftNum, {}, QStringLiteral("t=")),
              Texts({"t=0", "t=20", "t=40", "t=60"}));
    EXPECT_TRUE(Labels(0, 64, 3, -2, ftNoFigs).empty());
    EXPECT_EQ(UserTickItem(QStringLiteral("x||z"), 2), QString());

    TRecordingCanvas canvas;
    TScale scale;
    scale.SetTransparent(true);
    scale.UseForeignCanvas(&canvas, 0, 0);
    scale.SetRange(0, 64);
    std::vector<double> seen;
    scale.OnBeforeTickLabel = [&](TScale*, TScaleType type, double v, QString& text) {
        EXPECT_EQ(type, sctXB);
        seen.push_back(v);
        if (std::fabs(v - 20) < 1e-9)
            text = QStringLiteral("twenty");
    };
    scale.ForcePaint();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_NEAR(seen[3], 60, 1e-9);
    EXPECT_EQ(canvas.OfKind(TCanvasOp::TextOut).at(1).Text, QStringLiteral("twenty"));
}

TEST(ScaleMath, ValuesBeyondTheNumbersAreLabelledPlainly) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ExponentForm(inf), QStringLiteral("INF"));
    EXPECT_EQ(ExponentForm(-inf), QStringLiteral("-INF"));
    EXPECT_EQ(ExponentForm(nan), QStringLiteral("NAN"));
    EXPECT_EQ(FixedForm(-inf, 2), QStringLiteral("-INF"));
    EXPECT_EQ(FixedForm(nan, 0), QStringLiteral("NAN"));
    EXPECT_EQ(NumLabelText(inf, 0, 1, 2, -2), QStringLiteral("INF"));

    // Ranges whose span overflows, or whose ends are no numbers, are divided
    // and labelled without failing; every label is a number or one of those.
    const double max = std::numeric_limits<double>::max();
    const double ranges[][2] = {{-1e308, 1e308}, {1e308, -1e308}, {-max, max}, {0, max},
                                {0, inf},        {-inf, inf},     {nan, 1},    {0, nan}};
    for (const auto& r : ranges) {
        for (const int minTicks : {3, 10}) {
            SCOPED_TRACE(testing::Message() << r[0] << ".." << r[1] << " n=" << minTicks);
            const std::vector<std::string> labels = Labels(r[0], r[1], minTicks, -2);
            EXPECT_LE(labels.size(), 20u);
            for (const std::string& text : labels)
                EXPECT_TRUE(text == "INF" || text == "-INF" || text == "NAN" ||
                            text == "********" ||
                            QString::fromStdString(text).trimmed().toDouble() != 0 || text == "0" ||
                            text == "0.0")
                    << text;
        }
    }
}

} // namespace
