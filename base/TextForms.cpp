#include "base/TextForms.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

struct TDecimalDigits {
    std::string Digits; // significant digits, the first one not 0
    int Exponent = 0;   // value = 0.d1d2d3... * 10^(Exponent + 1)
};

// The exact decimal expansion of |value| rounded to the given number of
// significant digits; value must be finite and not 0.
TDecimalDigits DecimalDigitsOf(double value, int significant) {
    // to_chars gives printf's exact digits without its multi-precision cost,
    // which dominated the formatting of a bin table.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                       std::chars_format::scientific, significant - 1);
    *written.ptr = '\0';
    const std::string_view text(buffer, written.ptr);
    TDecimalDigits result;
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            result.Digits.push_back(text[i]);
    result.Exponent = std::atoi(buffer + e + 1);
    return result;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string Grouped(std::string_view digits, const std::string& separator) {
    std::string result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += separator;
        result.push_back(digits[i]);
    }
    return result;
}

std::string NonFinite(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

void DropTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

constexpr const char* MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

std::string FormatWholeNumber(std::int64_t value) {
    return std::to_string(value);
}

std::string FormatPattern(double value, int decimals, const FormatSettings& format) {
    if (!std::isfinite(value))
        return NonFinite(value);
    if (value == 0.0)
        return {};
    const TDecimalDigits expansion = DecimalDigitsOf(value, 18);

    // The value times 10^decimals as a whole number, rounded half up.
    const int digitCount = static_cast<int>(expansion.Digits.size());
    const int kept = expansion.Exponent + 1 + decimals; // digits before the rounding point
    std::string scaled;
    if (kept >= digitCount) {
        scaled = expansion.Digits + std::string(kept - digitCount, '0');
    } else if (kept >= 0) {
        scaled = expansion.Digits.substr(0, kept);
        if (expansion.Digits[kept] >= '5')
            Increment(scaled);
    }
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return {};
    scaled.erase(0, firstNonZero);

    if (scaled.size() < static_cast<std::size_t>(decimals))
        scaled.insert(0, decimals - scaled.size(), '0');
    const std::string integerPart = scaled.substr(0, scaled.size() - decimals);
    std::string fraction = scaled.substr(scaled.size() - decimals);
    DropTrailingZeros(fraction);

    std::string result = value < 0 ? "-" : "";
    result += Grouped(integerPart, format.ThousandSeparator);
    if (!fraction.empty())
        result += format.DecimalSeparator + fraction;
    return result;
}

std::string FormatGeneralFloat(float value, const FormatSettings& format) {
    const double x = value;
    if (!std::isfinite(x))
        return NonFinite(x);
    if (x == 0.0)
        return "0";
    constexpr int Precision = 15;
    const TDecimalDigits expansion = DecimalDigitsOf(x, Precision);
    std::string digits = expansion.Digits;
    const int exponent = expansion.Exponent;
    std::string result = x < 0 ? "-" : "";

    if (std::fabs(x) >= 0.00001 && exponent < Precision) {
        if (exponent >= 0) {
            std::string fraction = digits.substr(exponent + 1);
            DropTrailingZeros(fraction);
            result += digits.substr(0, exponent + 1);
            if (!fraction.empty())
                result += format.DecimalSeparator + fraction;
        } else {
            DropTrailingZeros(digits);
            result += "0" + format.DecimalSeparator + std::string(-exponent - 1, '0') + digits;
        }
        return result;
    }

    std::string fraction = digits.substr(1);
    DropTrailingZeros(fraction);
    result += digits.substr(0, 1);
    if (!fraction.empty())
        result += format.DecimalSeparator + fraction;
    result += "E" + std::to_string(exponent);
    return result;
}

std::string FormatBinLine(std::int32_t binNumber, float value, const FormatSettings& format) {
    return FormatWholeNumber(binNumber) + "   ,   " + FormatGeneralFloat(value, format);
}

std::string FormatUtcDateTime(unsigned year, unsigned month, unsigned day, unsigned hour,
                              unsigned minute, unsigned second) {
    const std::string monthName =
        month >= 1 && month <= 12 ? MonthNames[month - 1] : std::to_string(month);
    return std::to_string(day) + " " + monthName + " " + std::to_string(year) + "     " +
           std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second) +
           "  UTC";
}
