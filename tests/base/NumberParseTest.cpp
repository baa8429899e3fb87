#include "base/NumberParse.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    std::int32_t value;
};

TEST(ParseInteger, LongestPrefixAndNoPrefix) {
    const IntCase cases[] = {
        {"64", 64},
        {"   64", 64},
        {"\t-17x", -17},
        {"+5", 5},
        {" 12 34", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"0x10", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"   ", 0},
        {"1.9", 1},
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
        {"-3.25e+02", -325.0}, {"  6.5", 6.5}, {"5 6.5", 5.0}, {".5", 0.5},
        {"5.", 5.0},           {".", 0.0},     {"1e", 1.0},    {"1.5e+", 1.5},
        {"2E3", 2000.0},       {"inf", 0.0},   {"nan", 0.0},   {"-inf", 0.0},
        {"0x10", 0.0},         {"1,5", 1.0},   {"", 0.0},      {"+.25e1", 2.5},
        {"1e-400", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFloat(c.text), c.value) << '"' << c.text << '"';
}

// The same double as a full conversion, bit for bit, both where a short
// number is converted exactly by one multiplication or division and just
// beyond (16 digits, a power of ten above 22) where that would round twice.
TEST(ParseFloat, SameValueAsAFullConversion) {
    const char* texts[] = {"0.1",
                           "2451.3838",
                           "-2447.0821",
                           "123456789012345",
                           "0.000000000000001",
                           "1e22",
                           "1e-22",
                           "3e23",
                           "9048579713431219e-15",
                           "83030920993190389e-7",
                           "0.30000000000000004",
                           "4.9e-324",
                           "1.7976931348623157e308",
                           "-0.0",
                           "000000000000000000012.5"};
    for (const char* text : texts) {
        const double expected = std::strtod(text, nullptr);
        const double value = ParseFloat(text);
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0)
            << '"' << text << "\" gives " << value << ", not " << expected;
    }
}

TEST(ParseFloat, BeyondDoubleRangeGivesInfinity) {
    EXPECT_TRUE(std::isinf(ParseFloat("1e400")));
    EXPECT_LT(ParseFloat("-1e400"), 0.0);
}

} // namespace
