#pragma once

#include "base/FormatSettings.h"

#include <optional>
#include <string>

// The separators of the named locale (en_US, de_DE, ...) or, without a
// name, of the system's. Raises EUsageError for a name no locale goes by.
FormatSettings ReportFormatSettings(const std::optional<std::string>& localeName);
