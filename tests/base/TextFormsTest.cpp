#include "base/TextForms.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

const FormatSettings English{",", "."};
const FormatSettings German{".", ","};

} // namespace

TEST(TextForms, WholeNumber) {
    EXPECT_EQ(FormatWholeNumber(0), "0");
    EXPECT_EQ(FormatWholeNumber(-42), "-42");
    EXPECT_EQ(FormatWholeNumber(1234567), "1234567");
    EXPECT_EQ(FormatWholeNumber(5'000'000'000LL), "5000000000");
}

TEST(TextForms, Patterns) {
    struct Case {
        double value;
        int decimals;
        const char* english;
        const char* german;
    };
    const std::vector<Case> cases = {
        {1234567.8912, 3, "1,234,567.891", "1.234.567,891"},
        {1234567.891, 3, "1,234,567.891", "1.234.567,891"},
        {12.5, 3, "12.5", "12,5"},
        {2.0, 3, "2", "2"},
        {3.14159, 2, "3.14", "3,14"},
        {0.125, 2, ".13", ",13"},
        {0.5, 3, ".5", ",5"},
        {-0.125, 2, "-.13", "-,13"},
        {-1234.5, 2, "-1,234.5", "-1.234,5"},
        {999.9996, 3, "1,000", "1.000"}, // the carry reaches a new group
        {999999.996, 2, "1,000,000", "1.000.000"},
        {999999.995, 2, "999,999.99", "999.999,99"}, // held as 999999.99499999999534...
        {123456789012.0, 2, "123,456,789,012", "123.456.789.012"}, // more than 8 digits
        {1e20, 2, "100,000,000,000,000,000,000", "100.000.000.000.000.000.000"},
        {0.0005, 3, ".001", ",001"},
        {2.675, 2, "2.67", "2,67"}, // 2.67499999999999982 in 18 digits
        {1234567.875, 3, "1,234,567.875", "1.234.567,875"},
        {0.0, 3, "", ""},
        {0.0004, 3, "", ""},
        {-0.0004, 3, "", ""}, // rounds to 0: no sign either
        {-0.004, 2, "", ""},
        {0.005, 2, ".01", ",01"},
        {1e-300, 2, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatPattern(c.value, c.decimals, English), c.english);
        EXPECT_EQ(FormatPattern(c.value, c.decimals, German), c.german);
    }
    EXPECT_EQ(FormatThreeDecimals(1.0015, English), "1.002");
    EXPECT_EQ(FormatTwoDecimals(1.0015, English), "1");
    // Separators may be longer than one byte (a narrow no-break space).
    EXPECT_EQ(FormatTwoDecimals(1234.5, FormatSettings{"\u202f", ","}), "1\u202f234,5");
}

TEST(TextForms, GeneralFloat) {
    struct Case {
        float value;
        const char* english;
        const char* german;
    };
    const std::vector<Case> cases = {
        {1234.5678f, "1234.56774902344", "1234,56774902344"},
        {52.25f, "52.25", "52,25"},
        {0.0f, "0", "0"},
        {-3.25f, "-3.25", "-3,25"},
        {100.0f, "100", "100"},
        {0.1f, "0.100000001490116", "0,100000001490116"},
        {2e-5f, "0.0000199999994947575", "0,0000199999994947575"},
        // The float nearest 1e-5 lies just below it: scientific.
        {1e-5f, "9.99999974737875E-6", "9,99999974737875E-6"},
        {-1.5e-7f, "-1.50000005305628E-7", "-1,50000005305628E-7"},
        {1e15f, "999999986991104", "999999986991104"},         // 15 integer digits: fixed
        {1e16f, "1.00000002725642E16", "1,00000002725642E16"}, // 17: scientific
        {std::numeric_limits<float>::max(), "3.40282346638529E38", "3,40282346638529E38"},
        {1e20f, "1.00000002004088E20", "1,00000002004088E20"},
        {4e20f, "4.00000008016351E20", "4,00000008016351E20"},
        // Exactly halfway between two 15-digit texts: to the even digit.
        {2048.000244140625f, "2048.00024414062", "2048,00024414062"},
        {2048.000732421875f, "2048.00073242188", "2048,00073242188"},
        {-0.000015f, "-0.0000149999996210681", "-0,0000149999996210681"},
        {std::numeric_limits<float>::denorm_min(), "1.40129846432482E-45", "1,40129846432482E-45"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(FormatGeneralFloat(c.value, English), c.english);
        EXPECT_EQ(FormatGeneralFloat(c.value, German), c.german);
    }
}

// The digits of a float are those of the exact conversion rounded to 15
// places, over whole stretches of neighbouring floats (every rounding and
// carry case of the digit generation) and samples of the whole range.
TEST(TextForms, GeneralFloatHasTheDigitsOfTheExactConversion) {
    const auto digits = [](float value) {
        char buffer[64];
        char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(double{value}),
                                  std::chars_format::scientific, 14)
                        .ptr;
        std::string text(buffer, end);
        text.erase(1, 1); // the point
        const std::size_t e = text.find('e');
        std::string significant = text.substr(0, e);
        while (significant.size() > 1 && significant.back() == '0')
            significant.pop_back();
        return std::make_pair(significant, std::stoi(text.substr(e + 1)));
    };
    const auto check = [&](float value) {
        const std::string text = FormatGeneralFloat(value, English);
        const auto [significant, exponent] = digits(value);
        // The text's digits without sign, point, leading zeros and exponent.
        std::string shown;
        for (char c : text.substr(0, text.find('E')))
            if (c >= '0' && c <= '9' && (c != '0' || !shown.empty()))
                shown += c;
        while (shown.size() > 1 && shown.back() == '0')
            shown.pop_back();
        ASSERT_EQ(shown, significant) << text;
        const std::size_t e = text.find('E');
        if (e != std::string::npos) {
            ASSERT_EQ(std::stoi(text.substr(e + 1)), exponent) << text;
        } else {
            const std::size_t point = text.find('.');
            const std::string integer = text.substr(text[0] == '-', point - (text[0] == '-'));
            ASSERT_EQ(integer == "0" ? -1 - static_cast<int>(
                                                text.find_first_not_of('0', point + 1) - point - 1)
                                     : static_cast<int>(integer.size()) - 1,
                      exponent)
                << text;
        }
    };
    for (const float start : {2048.0f, 100.0f, 0.75f, 1e-5f, 3e-3f, 9.9999e14f, 1e7f})
        for (std::uint32_t n = 0, bits = std::bit_cast<std::uint32_t>(start); n < 20000; ++n)
            check(std::bit_cast<float>(bits + n));
    for (std::uint64_t bits = 1; bits < 0x7F800000u; bits += 20011) // up to infinity
        check(-std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
}

TEST(TextForms, BinLineAndDate) {
    EXPECT_EQ(FormatBinLine(7, 1234.5678f, English), "7   ,   1234.56774902344");
    EXPECT_EQ(FormatBinLine(-3, 0.5f, German), "-3   ,   0,5");
    // Appended lines follow what the text held, with nothing left between
    // or after them.
    std::string text = "[";
    AppendBinLine(text, 2147483647, -3.40282347e38f, English);
    AppendBinLine(text, -9, 1e-7f, German);
    EXPECT_EQ(text, "[2147483647   ,   -3.40282346638529E38-9   ,   1,0000000116861E-7");
    EXPECT_EQ(FormatUtcDateTime(2019, 3, 7, 9, 5, 3), "7 Mar 2019     9:5:3  UTC");
    EXPECT_EQ(FormatUtcDateTime(2018, 12, 31, 23, 59, 59), "31 Dec 2018     23:59:59  UTC");
    EXPECT_EQ(FormatUtcDateTime(2000, 1, 1, 0, 0, 0), "1 Jan 2000     0:0:0  UTC");
}
