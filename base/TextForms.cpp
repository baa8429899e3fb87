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

// Exactly four digits of x < 10000 at p, two pairs.
[[gnu::always_inline]] inline void WriteFourDigits(std::uint32_t x, char* p) {
    std::memcpy(p, DigitPairs + x / 100 * 2, 2);
    std::memcpy(p + 2, DigitPairs + x % 100 * 2, 2);
}

// Exactly eight digits of x < 10^8 at p.
[[gnu::always_inline]] inline void WriteEightDigits(std::uint32_t x, char* p) {
    WriteFourDigits(x / 10000, p);
    WriteFourDigits(x % 10000, p + 4);
}

// Writes the decimal digits of x ending just before end; returns the first.
// Eight digits at a time, in two halves the processor works on side by side.
char* WriteDigits(std::uint64_t x, char* end) {
    constexpr std::uint64_t Eight = 100'000'000;
    while (x >= Eight) {
        const auto low = static_cast<std::uint32_t>(x % Eight);
        x /= Eight;
        end -= 8;
        WriteEightDigits(low, end);
    }
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

// The first significant digits of m * 2^e from one 64-bit product: with
// 10^k scaling the value to exactly that many digits before the point,
// m * 2^e * 10^k = m * 5^k * 2^(e+k), so when m * 5^k fits in 64 bits the
// digits are that product shifted by e + k bits, and the bits shifted out
// round it exactly (to nearest, ties to even). This takes a float from
// about 10^-3 to 10^15, every usual bin value, without any division. The
// digits are those of whole, which has exactly significant of them.
bool ShiftedWhole(std::uint64_t m, int e, int significant, std::uint64_t& whole, int& exponent) {
    if (significant > 18)
        return false;
    const int mBits = std::bit_width(m);
    // With 2^b <= value < 2^(b+1) and lowest = floor(b * log10(2)), the value
    // lies in [10^lowest, 10^(lowest+2)): two scales at most.
    const int lowest = (mBits - 1 + e) * 78913 >> 18;
    for (int k = significant - 1 - lowest; k >= significant - 2 - lowest; --k) {
        if (k < 0 || k > 55 || mBits + PowersOfFive.Bits[k] > 64)
            return false;
        const std::uint64_t product = m * static_cast<std::uint64_t>(PowersOfFive.Value[k]);
        const int shift = e + k;
        if (shift > 0 && std::bit_width(product) + shift > 63)
            return false;
        if (shift < -63)
            return false;
        whole = shift >= 0 ? product << shift : product >> -shift;
        if (whole >= PowersOfTen[significant])
            continue; // one digit too many: scale by one power less
        if (whole < PowersOfTen[significant - 1])
            return false; // not with a right estimate; the general way decides
        if (shift < 0) {
            const std::uint64_t rest = product & ((std::uint64_t{1} << -shift) - 1);
            const std::uint64_t half = std::uint64_t{1} << (-shift - 1);
            if (rest > half || (rest == half && whole % 2 == 1))
                ++whole;
        }
        exponent = significant - 1 - k;
        if (whole == PowersOfTen[significant]) { // 99..9 became 100..0
            whole = PowersOfTen[significant - 1];
            ++exponent;
        }
        return true;
    }
    return false;
}

bool ShiftedDigits(std::uint64_t m, int e, int significant, TDecimalDigits& out) {
    std::uint64_t whole;
    if (!ShiftedWhole(m, e, significant, whole, out.Exponent))
        return false;
    out.Count = significant;
    WriteDigits(whole, out.Digits + significant);
    return true;
}

// A finite double other than 0 as m * 2^e with m odd; false for 0.
bool OddMantissa(double value, std::uint64_t& m, int& e) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    m = bits & ((std::uint64_t{1} << 52) - 1);
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
    return true;
}

// The exact decimal expansion rounded to nearest, ties to even, the way
// the exact conversions of printf and to_chars round. A double is m * 2^e;
// when m * 2^e or m * 5^-e (which holds the digits of m * 2^e = m * 5^-e /
// 10^-e) fits in 128 bits, the digits come from that whole number. This
// takes every float of the fixed form, the bin values, at a fraction of
// the cost of a general conversion.
bool ExactDigits(double value, int significant, TDecimalDigits& out) {
    std::uint64_t m;
    int e;
    if (!OddMantissa(value, m, e))
        return false;
    if (ShiftedDigits(m, e, significant, out))
        return true;
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

// The eight digits of x < 10^8 as characters in one word, the first in its
// lowest byte: four pairs from the table, put together in a register.
std::uint64_t EightDigitsWord(std::uint32_t x) {
    const auto pair = [](std::uint32_t n) {
        std::uint16_t p;
        std::memcpy(&p, DigitPairs + n * 2, 2);
        return std::uint64_t{p};
    };
    const std::uint32_t high = x / 10000;
    const std::uint32_t low = x % 10000;
    return pair(high / 100) | pair(high % 100) << 16 | pair(low / 100) << 32 |
           pair(low % 100) << 48;
}

// Fifteen significant digits as characters in one 128-bit word, the first
// in its lowest byte and the sixteenth byte 0.
struct TFloatDigits {
    TUint128 Digits;
    int Exponent;
};

TFloatDigits FloatDigitsOf(double value) {
    constexpr int Precision = 15;
    std::uint64_t m;
    int e;
    std::uint64_t whole;
    int exponent;
    if (OddMantissa(value, m, e) && ShiftedWhole(m, e, Precision, whole, exponent)) {
        // 16 digits with a leading 0, that is dropped.
        constexpr std::uint64_t Eight = 100'000'000;
        const TUint128 sixteen =
            EightDigitsWord(static_cast<std::uint32_t>(whole / Eight)) |
            TUint128{EightDigitsWord(static_cast<std::uint32_t>(whole % Eight))} << 64;
        return {sixteen >> 8, exponent};
    }
    const TDecimalDigits expansion = DecimalDigitsOf(value, Precision);
    TUint128 digits = 0;
    std::memcpy(&digits, expansion.Digits, Precision);
    return {digits, expansion.Exponent};
}

// The general form of a float written at out, with the one-byte decimal
// separator given; returns the end. The digits stay in registers and go out
// by whole-word stores, of which only as much is kept as belongs: a digit
// buffer written a few bytes at a time and read back a word at a time stalls
// the processor, all the more with a second job on the same core.
char* WriteGeneralFloat(char* out, float value, char decimal) {
    const double x = value;
    if (!std::isfinite(x)) {
        const std::string_view text = NonFinite(x);
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
    if (x == 0.0) {
        *out++ = '0';
        return out;
    }
    constexpr int Precision = 15;
    const auto [digits, exponent] = FloatDigitsOf(x);
    // Digits up to the last that is not 0: the highest byte not '0'.
    constexpr TUint128 Zeros = ((TUint128{1} << 8 * Precision) - 1) / 0xFF * '0';
    const TUint128 marks = digits ^ Zeros;
    const auto high = static_cast<std::uint64_t>(marks >> 64);
    const int leading = high != 0 ? std::countl_zero(high)
                                  : 64 + std::countl_zero(static_cast<std::uint64_t>(marks));
    const int kept = (127 - leading) / 8 + 1;
    const auto put = [&out](TUint128 word, int count) {
        std::memcpy(out, &word, sizeof word); // count <= 15
        out += count;
    };
    if (x < 0)
        *out++ = '-';

    if (std::fabs(x) >= 0.00001 && exponent < Precision) {
        if (exponent >= 0) {
            const int integerDigits = exponent + 1;
            put(digits, integerDigits);
            if (kept > integerDigits) {
                *out++ = decimal;
                put(digits >> 8 * integerDigits, kept - integerDigits);
            }
        } else {
            *out++ = '0';
            *out++ = decimal;
            std::memcpy(out, "0000", 4); // at most four zeros: 0.00001 <= |x|
            out += -exponent - 1;
            put(digits, kept);
        }
        return out;
    }

    *out++ = static_cast<char>(digits);
    if (kept > 1) {
        *out++ = decimal;
        put(digits >> 8, kept - 1);
    }
    *out++ = 'E';
    return std::to_chars(out, out + 8, exponent).ptr;
}

// The same for any separator: a longer one takes the place of the point.
void AddGeneralFloat(TTextBuffer& text, float value, const FormatSettings& format) {
    const std::string& separator = format.DecimalSeparator;
    const bool oneByte = separator.size() == 1;
    char buffer[GeneralFloatCapacity];
    const char* const end = WriteGeneralFloat(buffer, value, oneByte ? separator[0] : '.');
    const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t point = oneByte ? std::string_view::npos : written.find('.');
    if (point == std::string_view::npos) {
        text.Add(written);
        return;
    }
    text.Add(written.substr(0, point));
    text.Add(separator);
    text.Add(written.substr(point + 1));
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
    if (format.DecimalSeparator.size() == 1) {
        // Through a buffer, so that the text holds no more room than it needs:
        // the window keeps a thousand of them.
        char line[BinLineCapacity];
        return {line, WriteBinLine(line, binNumber, value, format.DecimalSeparator[0])};
    }
    std::string line;
    AppendBinLine(line, binNumber, value, format);
    return line;
}

char* WriteBinLine(char* out, std::int32_t binNumber, float value, char decimal) {
    out = std::to_chars(out, out + 11, binNumber).ptr;
    std::memcpy(out, "   ,   ", 7);
    return WriteGeneralFloat(out + 7, value, decimal);
}

void AppendBinLine(std::string& out, std::int32_t binNumber, float value,
                   const FormatSettings& format) {
    if (format.DecimalSeparator.size() == 1) {
        // Written in place: a copy from a buffer just written costs more
        // than the writing.
        const std::size_t at = out.size();
        out.resize(at + BinLineCapacity);
        char* const end =
            WriteBinLine(out.data() + at, binNumber, value, format.DecimalSeparator[0]);
        out.resize(static_cast<std::size_t>(end - out.data()));
        return;
    }
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
