#pragma once

#include "base/FormatSettings.h"

#include <cstdint>
#include <string>

// The text forms of the results panel. Separators come from FormatSettings;
// everything here is byte text (UTF-8 separators included).

// Decimal digits with a leading "-" when negative; no grouping, no padding.
std::string FormatWholeNumber(std::int64_t value);

// The "##,###,###.##" (decimals 2) and "##,###,###.###" (decimals 3) patterns:
// rounded half up in magnitude from the value's 18 significant digits, the
// integer part grouped by threes, trailing zeros dropped, no digit for an
// integer part of 0, and an empty text for a value that rounds to 0;
// decimals from 0 to 20.
std::string FormatPattern(double value, int decimals, const FormatSettings& format);
inline std::string FormatTwoDecimals(double value, const FormatSettings& format) {
    return FormatPattern(value, 2, format);
}
inline std::string FormatThreeDecimals(double value, const FormatSettings& format) {
    return FormatPattern(value, 3, format);
}

// A float widened exactly, up to 15 significant digits; fixed notation when
// 0.00001 <= |value| and at most 15 integer digits, else "1.5E-7" style.
std::string FormatGeneralFloat(float value, const FormatSettings& format);

// One entry of the bin list: "7   ,   1234.56774902344".
std::string FormatBinLine(std::int32_t binNumber, float value, const FormatSettings& format);
// The same entry appended to out, for writers that make many of them.
void AppendBinLine(std::string& out, std::int32_t binNumber, float value,
                   const FormatSettings& format);
// The same entry written at out, which has room for BinLineCapacity bytes,
// with a one-byte decimal separator; returns the end.
constexpr std::size_t GeneralFloatCapacity = 48;
constexpr std::size_t BinLineCapacity = 11 + 7 + GeneralFloatCapacity;
char* WriteBinLine(char* out, std::int32_t binNumber, float value, char decimal);

// "7 Mar 2019     9:5:3  UTC": no leading zeros, English month abbreviation.
std::string FormatUtcDateTime(unsigned year, unsigned month, unsigned day, unsigned hour,
                              unsigned minute, unsigned second);
