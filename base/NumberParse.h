#pragma once

#include <cstdint>
#include <string_view>

// Number parsing of the profile files. Leading white space is skipped, an
// optional sign is accepted and the longest valid prefix is converted; text
// without a valid prefix gives 0. Parsing never fails and never reports.
// "." is the decimal point whatever the user's region.

// Decimal digits only; a value beyond the 32-bit range saturates.
std::int32_t ParseInteger(std::string_view text);

// Digits with an optional "." and fraction and an optional exponent
// (e or E, optional sign, at least one digit). "inf", "nan" and hexadecimal
// forms are not numbers here. A magnitude beyond the double range gives an
// infinity (so that rounding it to a float reports the overflow).
double ParseFloat(std::string_view text);
