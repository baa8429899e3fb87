#include "base/TextForms.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

// Everything here builds its text in a fixed buffer and makes one string at
// the end: a bin table is hundreds of these texts per file, and the report
// writes tens of thousands of files.

namespace {

// |value| = D1.D2D3...Dn * 10^Exponent, exactly n = the significant digits
// asked for, D1 not 0.
struct TDecimalDigits {
    static constexpr int Capacity = 40;
    char Digits[Capacity];
    int Count = 0;
    int Exponent = 0;
};

using TUint128 = unsigned __int128;

// 5^k for k = 0..55, the powers that fit in 128 bits.
struct TPowersOfFive {
    TUint128 Value[56];
    int Bits[56];
    constexpr TPowersOfFive() : Value(), Bits() {
        TUint128 p = 1;
        for (int k = 0; k < 56; ++k) {
            Value[k] = p;
            int bits = 0;
            for (TUint128 q = p; q != 0; q >>= 1)
                ++bits;
            Bits[k] = bits;
            p *= 5;
        }
    }
};
constexpr TPowersOfFive PowersOfFive;

// "00" to "99", two characters each.
struct TDigitPairs {
    char Text[200];
    constexpr TDigitPairs() : Text() {
        for (int i = 0; i < 100; ++i) {
            Text[2 * i] = static_cast<char>('0' + i / 10);
            Text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr TDigitPairs Pairs;
constexpr const char* DigitPairs = Pairs.Text;

// Writes the decimal digits of x ending just before end; returns the first.
char* WriteDigits(std::uint64_t x, char* end) {
    while (x >= 100) {
        const auto pair = static_cast<std::size_t>(x % 100) * 2;
        x /= 100;
        *--end = DigitPairs[pair + 1];
        *--end = DigitPairs[pair];
    }
    if (x >= 10) {
        *--end = DigitPairs[x * 2 + 1];
        *--end = DigitPairs[x * 2];
    } else {
        *--end = static_cast<char>('0' + x);
    }
    return end;
}

char* WriteDigits(TUint128 x, char* end) {
    constexpr std::uint64_t Chunk = 10'000'000'000'000'000'000u; // 10^19
    if (x >> 64 == 0)
        return WriteDigits(static_cast<std::uint64_t>(x), end);
    char* const chunkEnd = end;
    end = WriteDigits(static_cast<std::uint64_t>(x % Chunk), end);
    while (end > chunkEnd - 19)
        *--end = '0';
    return WriteDigits(x / Chunk, end);
}

constexpr std::uint64_t PowersOfTen[20] = {1u,
                                           10u,
                                           100u,
                                           1000u,
                                           10000u,
                                           100000u,
                                           1000000u,
                                           10000000u,
                                           100000000u,
                                           1000000000u,
                                           10000000000u,
                                           100000000000u,
                                           1000000000000u,
                                           10000000000000u,
                                           100000000000000u,
                                           1000000000000000u,
                                           10000000000000000u,
                                           100000000000000000u,
                                           1000000000000000000u,
                                           10000000000000000000u};

int DigitCount(std::uint64_t x) {
    const int guess = std::bit_width(x) * 1233 >> 12; // about log10(2^bits)
    return guess + (x >= PowersOfTen[guess] ? 1 : 0);
}

// The digits of whole / 10^fractionDigits, rounded to nearest with ties to
// even: only the digits kept are written, the rest decide the rounding.
bool RoundedDigits(std::uint64_t whole, int fractionDigits, int significant, TDecimalDigits& out) {
    const int length = DigitCount(whole);
    out.Exponent = length - 1 - fractionDigits;
    out.Count = significant;
    if (length <= significant) {
        WriteDigits(whole, out.Digits + length);
        std::memset(out.Digits + length, '0', static_cast<std::size_t>(significant - length));
        return true;
    }
    const std::uint64_t unit = PowersOfTen[length - significant];
    std::uint64_t kept = whole / unit;
    const std::uint64_t rest = whole % unit;
    if (rest > unit / 2 || (rest == unit / 2 && kept % 2 == 1)) {
        ++kept;
        if (kept == PowersOfTen[significant]) { // 99..9 became 100..0
            kept = PowersOfTen[significant - 1];
            ++out.Exponent;
        }
    }
    WriteDigits(kept, out.Digits + significant);
    return true;
}

// The exact decimal expansion rounded to nearest, ties to even, the way
// the exact conversions of printf and to_chars round. A double is m * 2^e;
// when m * 2^e or m * 5^-e (which holds the digits of m * 2^e = m * 5^-e /
// 10^-e) fits in 128 bits, the digits come from that whole number. This
// takes every float of the fixed form, the bin values, at a fraction of
// the cost of a general conversion.
bool ExactDigits(double value, int significant, TDecimalDigits& out) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e;
    if (biased == 0) {
        e = -1074;
    } else {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    if (m == 0)
        return false;
    const int zeros = std::countr_zero(m);
    m >>= zeros;
    e += zeros;
    TUint128 whole;
    int fractionDigits = 0;
    const int mBits = std::bit_width(m);
    if (e >= 0) {
        if (mBits + e > 127)
            return false;
        whole = TUint128{m} << e;
    } else {
        if (-e > 55 || mBits + PowersOfFive.Bits[-e] > 128)
            return false;
        whole = TUint128{m} * PowersOfFive.Value[-e];
        fractionDigits = -e;
    }

    if (whole >> 64 == 0)
        return RoundedDigits(static_cast<std::uint64_t>(whole), fractionDigits, significant, out);

    char buffer[48];
    char* const end = buffer + sizeof buffer;
    const char* first = WriteDigits(whole, end);
    const int length = static_cast<int>(end - first);
    out.Exponent = length - 1 - fractionDigits;
    std::memcpy(out.Digits, first, static_cast<std::size_t>(std::min(length, significant)));
    if (length < significant)
        std::memset(out.Digits + length, '0', static_cast<std::size_t>(significant - length));
    out.Count = significant;
    if (length <= significant)
        return true;
    const char next = first[significant];
    bool up = next > '5';
    if (next == '5') {
        bool beyond = false;
        for (const char* p = first + significant + 1; p != end && !beyond; ++p)
            beyond = *p != '0';
        up = beyond || (first[significant - 1] - '0') % 2 == 1;
    }
    if (up) {
        int i = significant - 1;
        while (i >= 0 && out.Digits[i] == '9')
            out.Digits[i--] = '0';
        if (i >= 0) {
            ++out.Digits[i];
        } else {
            out.Digits[0] = '1'; // 99..9 became 100..0: one more power of ten
            ++out.Exponent;
        }
    }
    return true;
}

// |value| rounded to the given number of significant digits (at most 39);
// value must be finite and not 0.
TDecimalDigits DecimalDigitsOf(double value, int significant) {
    TDecimalDigits result;
    if (ExactDigits(value, significant, result))
        return result;
    // "d.ddd...e+xx" from the general exact conversion.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, significant - 1);
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            result.Digits[result.Count++] = *p;
    ++p;
    const bool negative = *p == '-';
    int exponent = 0;
    for (++p; p != written.ptr; ++p)
        exponent = exponent * 10 + (*p - '0');
    result.Exponent = negative ? -exponent : exponent;
    return result;
}

// A text built in place; only an unusually long one (long separators)
// goes on to the heap.
class TTextBuffer {
public:
    void Add(char c) { Add(std::string_view(&c, 1)); }
    void Add(std::string_view text) {
        if (FLength + text.size() > sizeof FText || !FSpill.empty()) {
            if (FSpill.empty())
                FSpill.assign(FText, FLength);
            FSpill += text;
            return;
        }
        std::memcpy(FText + FLength, text.data(), text.size());
        FLength += text.size();
    }
    void AddZeros(std::size_t count) {
        for (; count > 0; --count)
            Add('0');
    }
    void AddNumber(std::int64_t value) {
        char digits[24];
        Add({digits, static_cast<std::size_t>(
                         std::to_chars(digits, digits + sizeof digits, value).ptr - digits)});
    }
    std::string Text() const { return FSpill.empty() ? std::string(FText, FLength) : FSpill; }
    void AppendTo(std::string& out) const {
        if (FSpill.empty())
            out.append(FText, FLength);
        else
            out += FSpill;
    }

private:
    char FText[120];
    std::size_t FLength = 0;
    std::string FSpill;
};

std::string_view WithoutTrailingZeros(std::string_view digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.remove_suffix(1);
    return digits;
}

const char* NonFinite(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

void AddGeneralFloat(TTextBuffer& text, float value, const FormatSettings& format) {
    const double x = value;
    if (!std::isfinite(x)) {
        text.Add(NonFinite(x));
        return;
    }
    if (x == 0.0) {
        text.Add('0');
        return;
    }
    constexpr int Precision = 15;
    const TDecimalDigits expansion = DecimalDigitsOf(x, Precision);
    const std::string_view digits(expansion.Digits, static_cast<std::size_t>(expansion.Count));
    const int exponent = expansion.Exponent;
    if (x < 0)
        text.Add('-');

    if (std::fabs(x) >= 0.00001 && exponent < Precision) {
        if (exponent >= 0) {
            const auto integerDigits = static_cast<std::size_t>(exponent + 1);
            const std::string_view fraction = WithoutTrailingZeros(digits.substr(integerDigits));
            text.Add(digits.substr(0, integerDigits));
            if (!fraction.empty()) {
                text.Add(format.DecimalSeparator);
                text.Add(fraction);
            }
        } else {
            text.Add('0');
            text.Add(format.DecimalSeparator);
            text.AddZeros(static_cast<std::size_t>(-exponent - 1));
            text.Add(WithoutTrailingZeros(digits));
        }
        return;
    }

    const std::string_view fraction = WithoutTrailingZeros(digits.substr(1));
    text.Add(digits[0]);
    if (!fraction.empty()) {
        text.Add(format.DecimalSeparator);
        text.Add(fraction);
    }
    text.Add('E');
    text.AddNumber(exponent);
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
    constexpr int Significant = 18;
    constexpr int MostDecimals = 20;
    decimals = std::clamp(decimals, 0, MostDecimals);
    const TDecimalDigits expansion = DecimalDigitsOf(value, Significant);

    // The value times 10^decimals as a whole number, rounded half up; one
    // place in front for a carry out of the first digit.
    char scaled[1 + 309 + 1 + MostDecimals];
    char* digits = scaled + 1;
    std::size_t length = 0;
    const int kept = expansion.Exponent + 1 + decimals; // digits before the rounding point
    if (kept >= Significant) {
        std::memcpy(digits, expansion.Digits, Significant);
        std::memset(digits + Significant, '0', static_cast<std::size_t>(kept - Significant));
        length = static_cast<std::size_t>(kept);
    } else if (kept >= 0) {
        std::memcpy(digits, expansion.Digits, static_cast<std::size_t>(kept));
        length = static_cast<std::size_t>(kept);
        if (expansion.Digits[kept] >= '5') {
            std::size_t i = length;
            while (i > 0 && digits[i - 1] == '9')
                digits[--i] = '0';
            if (i > 0) {
                ++digits[i - 1];
            } else {
                *--digits = '1';
                ++length;
            }
        }
    }
    std::string_view whole(digits, length);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    if (whole.empty())
        return {};

    const auto places = static_cast<std::size_t>(decimals);
    const std::size_t integerDigits = whole.size() > places ? whole.size() - places : 0;
    const std::string_view integerPart = whole.substr(0, integerDigits);
    const std::size_t leadingZeros = places - (whole.size() - integerDigits);
    // The fraction is the last places digits, the missing ones zeros in front.
    char fractionDigits[MostDecimals];
    std::memset(fractionDigits, '0', leadingZeros);
    std::memcpy(fractionDigits + leadingZeros, whole.data() + integerDigits,
                whole.size() - integerDigits);
    const std::string_view fraction = WithoutTrailingZeros({fractionDigits, places});

    TTextBuffer text;
    if (value < 0)
        text.Add('-');
    for (std::size_t i = 0; i < integerPart.size(); ++i) {
        if (i > 0 && (integerPart.size() - i) % 3 == 0)
            text.Add(format.ThousandSeparator);
        text.Add(integerPart[i]);
    }
    if (!fraction.empty()) {
        text.Add(format.DecimalSeparator);
        text.Add(fraction);
    }
    return text.Text();
}

std::string FormatGeneralFloat(float value, const FormatSettings& format) {
    TTextBuffer text;
    AddGeneralFloat(text, value, format);
    return text.Text();
}

std::string FormatBinLine(std::int32_t binNumber, float value, const FormatSettings& format) {
    std::string line;
    AppendBinLine(line, binNumber, value, format);
    return line;
}

void AppendBinLine(std::string& out, std::int32_t binNumber, float value,
                   const FormatSettings& format) {
    TTextBuffer text;
    text.AddNumber(binNumber);
    text.Add("   ,   ");
    AddGeneralFloat(text, value, format);
    text.AppendTo(out);
}

std::string FormatUtcDateTime(unsigned year, unsigned month, unsigned day, unsigned hour,
                              unsigned minute, unsigned second) {
    const std::string monthName =
        month >= 1 && month <= 12 ? MonthNames[month - 1] : std::to_string(month);
    return std::to_string(day) + " " + monthName + " " + std::to_string(year) + "     " +
           std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second) +
           "  UTC";
}
