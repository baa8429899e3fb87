#include "base/NumberParse.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    std::int32_t value;
};

TEST(ParseInteger, LongestPrefixAndNoPrefix) {
    const IntCase cases[] = {
        {"64", 64},          {"   64", 64},       {"\t-17x", -17},   {"+5", 5},
        {" 12 34", 12},      {"", 0},             {"abc", 0},        {"-", 0},
        {"0x10", 0},         {"99999999999", 2147483647},            {"-99999999999", -2147483647 - 1},
        {"   ", 0},          {"1.9", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

struct FloatCase {
    const char* text;
    double value;
};

TEST(ParseFloat, LongestPrefixWithPointAndExponent) {
    const FloatCase cases[] = {
        {"-3.25e+02", -325.0}, {"  6.5", 6.5},   {"5 6.5", 5.0},   {".5", 0.5},
        {"5.", 5.0},           {".", 0.0},       {"1e", 1.0},      {"1.5e+", 1.5},
        {"2E3", 2000.0},       {"inf", 0.0},     {"nan", 0.0},     {"-inf", 0.0},
        {"0x10", 0.0},         {"1,5", 1.0},     {"", 0.0},        {"+.25e1", 2.5},
        {"1e-400", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFloat(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseFloat, BeyondDoubleRangeGivesInfinity) {
    EXPECT_TRUE(std::isinf(ParseFloat("1e400")));
    EXPECT_LT(ParseFloat("-1e400"), 0.0);
}

} // namespace
