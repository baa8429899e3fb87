#include "base/NumberParse.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace {

// The value of a decimal digit; above 9 for any other character.
unsigned DigitOf(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'};
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* SkipSpace(const char* p, const char* end) {
    while (p != end && IsSpace(*p))
        ++p;
    return p;
}

// strtod follows LC_NUMERIC, which a desktop program sets from the user's
// region; the files always use ".", so parse in the C locale.
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// A validated number prefix the exact path does not take. from_chars rounds
// exactly as strtod does at a fraction of the cost; a value beyond the double
// range it reports instead of rounding, so that one goes to strtod for its
// infinity or denormal. Kept out of line: the common path then needs no
// stack frame.
[[gnu::noinline]] double FullConversion(std::string_view prefix) {
    const char* first = prefix.data();
    const char* last = prefix.data() + prefix.size();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error == std::errc() && stop == last)
        return value;
    return strtod_l(std::string(prefix).c_str(), nullptr, CLocale());
}

} // namespace

std::int32_t ParseInteger(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    p = SkipSpace(p, end);
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (unsigned digit; p != end && (digit = DigitOf(*p)) <= 9; ++p)
        value = std::min(value * 10 + digit, limit);
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

double ParseFloat(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    p = SkipSpace(p, end);
    const char* const start = p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // The digits as one whole number for the exact path below; beyond 19
    // digits it wraps, but that path takes at most 15.
    std::uint64_t mantissa = 0;
    const char* const integerStart = p;
    for (unsigned digit; p != end && (digit = DigitOf(*p)) <= 9; ++p)
        mantissa = mantissa * 10 + digit;
    std::size_t digits = static_cast<std::size_t>(p - integerStart);
    std::size_t fractionDigits = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        for (unsigned digit; p != end && (digit = DigitOf(*p)) <= 9; ++p)
            mantissa = mantissa * 10 + digit;
        fractionDigits = static_cast<std::size_t>(p - fractionStart);
        digits += fractionDigits;
    }
    if (digits == 0)
        return 0.0;
    const char* last = p;
    int exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (q != end && (*q == '+' || *q == '-')) {
            negativeExponent = *q == '-';
            ++q;
        }
        if (q != end && DigitOf(*q) <= 9) {
            for (unsigned digit; q != end && (digit = DigitOf(*q)) <= 9; ++q)
                if (exponent < 100000)
                    exponent = exponent * 10 + static_cast<int>(digit);
            if (negativeExponent)
                exponent = -exponent;
            last = q;
        }
    }
    // Exact path: up to 15 digits and a power of ten up to 22 are both exact
    // doubles, so one multiplication or division rounds correctly, to the
    // very value a full conversion gives; bin values are nearly always of
    // this kind.
    static constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long scale = exponent - static_cast<long>(fractionDigits);
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(mantissa);
        const double value = scale >= 0 ? m * PowersOfTen[scale] : m / PowersOfTen[-scale];
        return negative ? -value : value;
    }
    return FullConversion({start, static_cast<std::size_t>(last - start)});
}
