#pragma once

#include <string>

// The user's regional separators for displayed numbers, as UTF-8 text.
// base takes them as an argument; the toolkit fills them from the system locale.
struct FormatSettings {
    std::string ThousandSeparator = ",";
    std::string DecimalSeparator = ".";
};
