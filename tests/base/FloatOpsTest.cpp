#include "base/Exception.h"
#include "base/FloatOps.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

template <typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

const std::string kInvalid = "Invalid floating point operation";
const std::string kZeroDiv = "Floating point division by zero";
const std::string kOverflow = "Floating point overflow";

TEST(FloatOps, RoundToFloat) {
    EXPECT_EQ(RoundToFloat(1234.5678), 1234.5678f);
    EXPECT_EQ(RoundToFloat(FLT_MAX), FLT_MAX);
    EXPECT_EQ(RoundToFloat(1e-50), 0.0f); // underflow is silent
    EXPECT_EQ(MessageOf([] { RoundToFloat(1e39); }), kOverflow);
    EXPECT_EQ(MessageOf([] { RoundToFloat(-1e39); }), kOverflow);
    EXPECT_EQ(MessageOf([] { RoundToFloat(std::numeric_limits<double>::infinity()); }), kOverflow);
}

TEST(FloatOps, DivisionErrors) {
    EXPECT_EQ(CheckedDiv(1.0, 4.0), 0.25);
    EXPECT_EQ(MessageOf([] { CheckedDiv(0.0, 0.0); }), kInvalid);
    EXPECT_EQ(MessageOf([] { CheckedDiv(3.0, 0.0); }), kZeroDiv);
    EXPECT_EQ(MessageOf([] { CheckedDiv(-3.0, -0.0); }), kZeroDiv);
    EXPECT_EQ(MessageOf([] { CheckedDiv(1e300, 1e-300); }), kOverflow);
}

TEST(FloatOps, RootAndLogarithm) {
    EXPECT_EQ(CheckedSqrt(16.0), 4.0);
    EXPECT_EQ(CheckedLog10(100.0), 2.0);
    EXPECT_EQ(MessageOf([] { CheckedSqrt(-1.0); }), kInvalid);
    EXPECT_EQ(MessageOf([] { CheckedLog10(-1.0); }), kInvalid);
    EXPECT_EQ(MessageOf([] { CheckedLog10(0.0); }), kZeroDiv);
}

} // namespace
